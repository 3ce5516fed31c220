// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Records the names of the sounds the program plays instead of playing them, for as long as it lives.

#include "engine/uSound.h"

#include <string>
#include <vector>

class tSoundRecorder {
public:
    tSoundRecorder()
        : previous_(SetSoundPlayer([this](const std::string& name) { sounds.push_back(name); })) {}
    ~tSoundRecorder() { SetSoundPlayer(std::move(previous_)); }
    tSoundRecorder(const tSoundRecorder&) = delete;
    tSoundRecorder& operator=(const tSoundRecorder&) = delete;

    std::vector<std::string> sounds;

private:
    tSoundPlayer previous_;
};
