// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A simple player for the benchmarks and tests: for each new figure it picks the turn and column whose
// landing a well-known evaluation of the pile likes best, and presses the keys that put the figure there. It
// plays on for ten minutes and more at the fastest speed.

#include "core/uFigure.h"
#include "core/uWell.h"

#include <cstdint>
#include <vector>

struct tPlacement {
    int turns = 0; // clockwise turns at the entry position
    int shift = 0; // columns to move, negative to the left
    bool found = false;
};

// The best placement of `figure` entering at (x, y) into `well`.
tPlacement ChoosePlacement(const tWell& well, const tFigure& figure, int x, int y);

// The key codes that carry out a placement with the engine's default bindings.
std::vector<uint16_t> PlacementKeys(const tPlacement& placement);
