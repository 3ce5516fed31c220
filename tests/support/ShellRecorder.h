// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Records the addresses and documents the program opens instead of handing them to the desktop, for as long
// as it lives; answers as a desktop with a handler for them does, or, with opens = false, as one without.

#include "platform/uShell.h"

#include <string>
#include <vector>

class tShellRecorder {
public:
    tShellRecorder()
        : previous_(SetShellOpener([this](const std::string& target) {
              opened.push_back(target);
              return opens;
          })) {}
    ~tShellRecorder() { SetShellOpener(std::move(previous_)); }
    tShellRecorder(const tShellRecorder&) = delete;
    tShellRecorder& operator=(const tShellRecorder&) = delete;

    std::vector<std::string> opened;
    bool opens = true;

private:
    tShellOpener previous_;
};
