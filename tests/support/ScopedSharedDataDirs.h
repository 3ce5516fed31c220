// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Sets the shared data folders (where an installation keeps its skins and languages) for as long as it lives.

#include "platform/uBaseDir.h"

#include <string>
#include <utility>
#include <vector>

class tScopedSharedDataDirs {
public:
    explicit tScopedSharedDataDirs(std::vector<std::string> folders)
        : previous_(std::exchange(SharedDataDirs, std::move(folders))) {}
    ~tScopedSharedDataDirs() { SharedDataDirs = std::move(previous_); }
    tScopedSharedDataDirs(const tScopedSharedDataDirs&) = delete;
    tScopedSharedDataDirs& operator=(const tScopedSharedDataDirs&) = delete;

private:
    std::vector<std::string> previous_;
};
