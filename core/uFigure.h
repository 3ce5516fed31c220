// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One figure: its blocks in a 4 x 4 box, and how it turns. A plain value: moves and turns are tried on a
// copy.

#include <array>
#include <cstdint>

struct tFigure {
    // Cells[column - 1][row - 1]: 1 = block, 0 = empty; column 1 is the left of the box, row 1 its top.
    uint8_t Cells[4][4] = {};
    // The square part of the box the figure turns in: 0 = columns 1-4, rows 1-4; 1 = columns 1-3, rows 1-3;
    // 2 = columns 1-3, rows 2-4.
    int32_t BoxKind = 0;
    // The figure only alternates between its first two orientations; ToggleState tells which one it shows.
    uint8_t Toggle = 0;
    uint8_t ToggleState = 0;
};

// Where a figure's blocks lie in its box, column by column from the left and each column from the top: what
// the fall, the landing mark and a turn test, without the box's empty cells. Columns and rows count from 0.
struct tFigureBlocks {
    int Count = 0;
    std::array<int8_t, 16> Columns{};
    std::array<int8_t, 16> Rows{};
};

tFigureBlocks BlocksOf(const tFigure& figure);
