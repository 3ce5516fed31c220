// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The 10 x 20 grid of fixed blocks and the rules that only look at it: whether a figure fits, full and empty
// rows, removing a row, the height of the pile and the random broken lines.

#include "core/uFigure.h"
#include "core/uRandom.h"

#include <array>
#include <cstdint>

inline constexpr int kWellColumns = 10;
inline constexpr int kWellRows = 20;
// A cell's side on screen, in pixels.
inline constexpr int kCellPixels = 20;

class tWell {
public:
    // Column 1..10 from the left, row 1..20 from the top: 0 = empty, 1 = fixed block.
    uint8_t At(int column, int row) const { return cells_[column - 1][row - 1]; }
    void Set(int column, int row, uint8_t value) { cells_[column - 1][row - 1] = value; }
    static bool Inside(int column, int row) {
        return column >= 1 && column <= kWellColumns && row >= 1 && row <= kWellRows;
    }

    void Clear();
    // Whether the figure can stand with its box cell (1, 1) at (x, y); rows above the well are free.
    bool Fits(const tFigure& figure, int x, int y) const;
    bool RowIsFull(int row) const;
    bool RowIsEmpty(int row) const;
    // Deletes the row and moves the rows above it down, stopping at the first empty row or at row 1. Returns
    // the topmost row that changed: rows from there down to `row` need redrawing.
    int RemoveRow(int row);
    // The row the stack-height arrow stands beside: the top of the pile resting on the floor.
    int ArrowRow() const;
    // Fills each cell of the bottom `count` rows with probability 1/2, floor row first, columns left to
    // right.
    void LayBrokenLines(int count, tRandom& random);

private:
    std::array<std::array<uint8_t, kWellRows>, kWellColumns> cells_{};
};
