// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Plays a recorded game again through the model, as fast as it runs: what a game was is what its record gives
// back.

#include "core/uGameModel.h"

#include <string>

// The model at the end of the recorded game, after its last tick and the presses that came after it.
tGameModel ReplayGame(const tGameRecord& record);

struct tCheckedReplay {
    tGameModel Game;
    // Empty when a real player could have played the record: its presses keep to the pace bounds
    // (tPressPace), none comes before the ticks it came after could, and none within a drop's pause.
    // Otherwise the first bound broken and its moment, as a sentence; the game then stands where it stopped.
    std::string Problem;
};
// The pace bounds are looked at before any step is played, so that a record that breaks them costs no more
// than reading it.
tCheckedReplay ReplayChecked(const tGameRecord& record);
