// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/uFigure.h"

#include <cstddef>

tFigureBlocks BlocksOf(const tFigure& figure) {
    tFigureBlocks blocks;
    // Every cell is written at the next place and only a block moves on: no branch to mispredict. The
    // sixteenth cell is written at place 15 at most.
    for (int c = 0; c < 4; ++c) {
        for (int r = 0; r < 4; ++r) {
            const auto at = static_cast<size_t>(blocks.Count);
            blocks.Columns[at] = static_cast<int8_t>(c);
            blocks.Rows[at] = static_cast<int8_t>(r);
            blocks.Count += figure.Cells[c][r] != 0 ? 1 : 0;
        }
    }
    return blocks;
}
