// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the save loop stores at each step, known to both the loop and the harness that kills it: step g of
// users.dat holds the options of OptionsOfStep(g) for the player kKillPlayer, step g of hscore.dat a game
// of that player scoring g.

#include "storage/uPlayerOptions.h"

#include <cstdint>
#include <string>

inline constexpr const char* kKillPlayer = "Killed";
inline constexpr const char* kKillGameType = "Standart";
inline constexpr const char* kKillDifficulty = "Normal";

inline tPlayerOptions OptionsOfStep(int64_t step) {
    tPlayerOptions options;
    options.StartLevel = static_cast<int>(1 + step % 20);
    options.Sounds = step % 2 == 0;
    options.Skin = "step " + std::to_string(step);
    return options;
}

inline int32_t ScoreOfStep(int64_t step) {
    return static_cast<int32_t>(step);
}
