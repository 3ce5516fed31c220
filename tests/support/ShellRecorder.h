// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Records the addresses and documents the program opens instead of handing them to the desktop, for as long
// as it lives.

#include "platform/uShell.h"

#include <string>
#include <vector>

class tShellRecorder {
public:
    tShellRecorder()
        : previous_(SetShellOpener([this](const std::string& target) { opened.push_back(target); })) {}
    ~tShellRecorder() { SetShellOpener(std::move(previous_)); }
    tShellRecorder(const tShellRecorder&) = delete;
    tShellRecorder& operator=(const tShellRecorder&) = delete;

    std::vector<std::string> opened;

private:
    tShellOpener previous_;
};
