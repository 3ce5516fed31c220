// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Plays a recorded game again through the model, as fast as it runs: what a game was is what its record gives
// back.

#include "core/uGameModel.h"

// The model at the end of the recorded game, after its last tick and the presses that came after it.
tGameModel ReplayGame(const tGameRecord& record);
