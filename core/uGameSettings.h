// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a game is set up with.

#include "core/uRules.h"

struct tGameSettings {
    // Places in kGameTypes and kDifficulties.
    int GameType = 0;
    int Difficulty = 0;
    int StartLevel = kMinStartLevel;
    int BrokenLines = 0;
    bool operator==(const tGameSettings&) const = default;
};
