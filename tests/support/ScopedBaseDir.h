// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Points BaseDir at a folder for as long as it lives.

#include "platform/uBaseDir.h"

#include <string>
#include <utility>

class tScopedBaseDir {
public:
    explicit tScopedBaseDir(std::string folder) : previous_(std::exchange(BaseDir, std::move(folder))) {}
    ~tScopedBaseDir() { BaseDir = std::move(previous_); }
    tScopedBaseDir(const tScopedBaseDir&) = delete;
    tScopedBaseDir& operator=(const tScopedBaseDir&) = delete;

    // Another folder, still given back at the end.
    void Set(std::string folder) { BaseDir = std::move(folder); }

private:
    std::string previous_;
};
