// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The eleven figures of the game, how a figure turns, and the random draw of the next one.

#include "core/uFigure.h"
#include "core/uRandom.h"

#include <array>
#include <string>
#include <string_view>

inline constexpr int kFigureKinds = 11;
inline constexpr int kStandardFigures = 7;

// Figure number n (1..11) is entry n - 1.
using tFigureTable = std::array<tFigure, kFigureKinds>;

void BuildFigureTable(tFigureTable& table);

// Block at box column c, row r (1..4 each).
inline bool IsBlock(const tFigure& figure, int c, int r) {
    return figure.Cells[c - 1][r - 1] != 0;
}
bool HasBlocks(const tFigure& figure);

// A grid written as its four rows from the top, '#' for a block, separated by '|': "....|..#.|###.|....".
tFigure FigureFromPicture(std::string_view picture, int boxKind = 0, bool toggle = false);
std::string PictureOf(const tFigure& figure);

// The figure turned one step: direction -1 clockwise, +1 counter-clockwise. A toggling figure ignores the
// direction asked for and flips between its two orientations.
tFigure TurnFigure(const tFigure& figure, int direction);

// A copy of a random entry among the first figureCount of the table, each equally likely.
tFigure RandomFigure(const tFigureTable& table, int figureCount, tRandom& random);
