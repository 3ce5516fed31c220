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
    uint8_t At(int column, int row) const { return (columns_[column - 1] >> row) & 1u; }
    void Set(int column, int row, uint8_t value) {
        const uint32_t bit = uint32_t{1} << row;
        columns_[column - 1] = value != 0 ? columns_[column - 1] | bit : columns_[column - 1] & ~bit;
    }
    static bool Inside(int column, int row) {
        return column >= 1 && column <= kWellColumns && row >= 1 && row <= kWellRows;
    }

    void Clear();
    // Whether a figure can stand with its box cell (1, 1) at (x, y); rows above the well are free. The one
    // test of where a figure may go: the game's falls, moves and turns, its landing mark and the auto-player.
    bool Fits(const tFigureBlocks& blocks, int x, int y) const;
    bool Fits(const tFigure& figure, int x, int y) const { return Fits(BlocksOf(figure), x, y); }
    // The first row below `row` (which may lie above the well) that holds a block in the column; below the
    // last row, the floor: kWellRows + 1.
    int BlockBelow(int column, int row) const;
    bool RowIsFull(int row) const;
    // Bit `row` set for each full row.
    uint32_t FullRows() const;
    bool RowIsEmpty(int row) const;
    // Deletes the row and moves the rows above it down, stopping at the first empty row or at row 1. Returns
    // the topmost row that changed: rows from there down to `row` need redrawing.
    int RemoveRow(int row);
    // The row the stack-height arrow stands beside: the top of the pile resting on the floor.
    int ArrowRow() const;
    // Fills each cell of the bottom `count` rows with probability 1/2, floor row first, columns left to
    // right.
    void LayBrokenLines(int count, tRandom& random);
    bool operator==(const tWell&) const = default;

private:
    // Bit `row` set for each row that holds a block.
    uint32_t BlockRows() const;

    // Bit `row` of a column is its cell in that row: where a figure lands is a count of bits, not a walk
    // down the rows, and a server replaying a game lands tens of thousands of figures.
    std::array<uint32_t, kWellColumns> columns_{};
};
