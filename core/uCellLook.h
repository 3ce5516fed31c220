// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a cell of the well shows at a moment of a game: the one rule the game's window and the browser's
// viewer both draw by.

#include "core/uGameModel.h"

#include <cstdint>

enum class tCellLook : uint8_t { Empty = 0, Fixed = 1, Falling = 2, Mark = 3 };

// A paused game hides its pile; the falling figure stands over its landing mark, shown when mark is on, and
// both over the fixed blocks.
tCellLook CellLook(const tGameModel& game, bool mark, int column, int row);
