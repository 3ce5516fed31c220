// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A simple player for the benchmarks: for each new figure it picks the turn and column that leave the lowest,
// flattest pile with the fewest holes, and presses the keys that put the figure there.

#include "core/uFigure.h"
#include "core/uGameRecord.h"
#include "core/uWell.h"

#include <cstdint>
#include <functional>
#include <vector>

struct tPlacement {
    int turns = 0; // clockwise turns at the entry position
    int shift = 0; // columns to move, negative to the left
    bool found = false;
};

// The best placement of `figure` entering at (x, y) into `well`; given the next figure (the preview), the
// best for the two together, which keeps the pile low for many thousands of figures.
tPlacement ChoosePlacement(const tWell& well, const tFigure& figure, int x, int y, const tFigure& next = {});

// The key codes that carry out a placement with the engine's default bindings.
std::vector<uint16_t> PlacementKeys(const tPlacement& placement);

// A game the auto-player plays through the model alone, recorded: it steers each new figure to its place with
// the well's default keys, and the figure then falls on its own, so every tick of the game is a tick of the
// fall at the game's speed. Looking ahead to the next figure it plays far longer games, and takes far longer
// to choose. Ends at game over, after maxTicks, or when `enough`, asked every thousand figures, says so.
tGameRecord PlayRecordedGame(const tGameSettings& settings, uint32_t seed, int64_t maxTicks,
                             bool lookAhead = false,
                             const std::function<bool(const tGameRecord&)>& enough = {});
