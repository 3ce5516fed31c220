// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Fresh folders for one start of a program, so that it finds nothing an earlier start left: a home, the XDG
// configuration, data, cache and runtime folders, a temporary folder and the game's data folder.

#include <string>
#include <vector>

class tSandbox {
public:
    // Makes the folders under root/name-serial; throws when it cannot.
    tSandbox(const std::string& root, const std::string& name, int serial);

    const std::string& Home() const { return home_; }
    const std::string& DataFolder() const { return data_; }
    // The whole environment of a program started in it: no variable of the benchmark's own goes through.
    std::vector<std::string> Environment(const std::string& display, const std::string& sessionBus) const;

private:
    std::string home_;
    std::string data_;
    std::string cache_;
    std::string temporary_;
    std::string runtime_;
};
