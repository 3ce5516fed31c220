// SPDX-License-Identifier: GPL-3.0-or-later
#include "AutoPlayer.h"

#include "core/uFigureSet.h"
#include "core/uRules.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace {

constexpr uint16_t kTurn = ActionRule(tAction::RotateRight).WellKey;
constexpr uint16_t kLeft = ActionRule(tAction::MoveLeft).WellKey;
constexpr uint16_t kRight = ActionRule(tAction::MoveRight).WellKey;

// Outside the well counts as full: walls and floor.
bool Full(const tWell& well, int column, int row) {
    return column < 1 || column > kWellColumns || row > kWellRows || (row >= 1 && well.At(column, row) != 0);
}

// Pierre Dellacherie's hand-tuned evaluation of a landing, which keeps a pile low enough to play on at the
// fastest speed for as long as a benchmark wants: the height it landed at, the rows it cleared times its own
// blocks in them, the changes between empty and full along the rows and down the columns, the holes, and
// the depth of the wells one column wide.
double Evaluate(const tWell& well, double landingHeight, int eroded) {
    int rowChanges = 0;
    for (int row = 1; row <= kWellRows; ++row) {
        for (int column = 1; column <= kWellColumns + 1; ++column) {
            rowChanges += Full(well, column - 1, row) != Full(well, column, row) ? 1 : 0;
        }
    }
    int columnChanges = 0;
    int holes = 0;
    int wells = 0;
    for (int column = 1; column <= kWellColumns; ++column) {
        bool roof = false;
        int depth = 0;
        for (int row = 1; row <= kWellRows + 1; ++row) {
            const bool full = Full(well, column, row);
            columnChanges += row > 1 && full != Full(well, column, row - 1) ? 1 : 0;
            holes += roof && !full ? 1 : 0;
            roof = roof || full;
            if (!roof && Full(well, column - 1, row) && Full(well, column + 1, row)) {
                wells += ++depth;
            } else if (!roof) {
                depth = 0;
            }
        }
    }
    return -4.500158825082766 * landingHeight + 3.4181268101392694 * eroded -
           3.2178882868487753 * rowChanges - 9.348695305445199 * columnChanges - 7.899265427351652 * holes -
           3.3855972247263626 * wells;
}

double LandAndEvaluate(tWell& well, const tFigure& figure, int x, int y) {
    while (well.Fits(figure, x, y + 1)) {
        ++y;
    }
    int top = kWellRows;
    int bottom = 1;
    for (int c = 1; c <= 4; ++c) {
        for (int r = 1; r <= 4; ++r) {
            if (IsBlock(figure, c, r) && tWell::Inside(x + c - 1, y + r - 1)) {
                well.Set(x + c - 1, y + r - 1, 1);
                top = std::min(top, y + r - 1);
                bottom = std::max(bottom, y + r - 1);
            }
        }
    }
    int rows = 0;
    int ownBlocks = 0;
    for (int r = 1; r <= 4; ++r) {
        const int row = y + r - 1;
        if (row < 1 || row > kWellRows || !well.RowIsFull(row)) {
            continue;
        }
        ++rows;
        for (int c = 1; c <= 4; ++c) {
            ownBlocks += IsBlock(figure, c, r) ? 1 : 0;
        }
    }
    for (int row = kWellRows; row >= 1;) {
        if (well.RowIsFull(row)) {
            well.RemoveRow(row);
        } else {
            --row;
        }
    }
    return Evaluate(well, kWellRows + 1 - (top + bottom) / 2.0, rows * ownBlocks);
}

} // namespace

tPlacement ChoosePlacement(const tWell& well, const tFigure& figure, int x, int y) {
    tPlacement best;
    double bestValue = -std::numeric_limits<double>::infinity();
    tFigure turned = figure;
    for (int turns = 0; turns < 4; ++turns) {
        if (turns > 0) {
            turned = TurnFigure(turned, -1);
            if (!well.Fits(turned, x, y)) {
                break;
            }
        }
        for (const int direction : {-1, 1}) {
            for (int shift = direction < 0 ? 0 : 1; well.Fits(turned, x + shift, y); shift += direction) {
                tWell after = well;
                const double value = LandAndEvaluate(after, turned, x + shift, y);
                if (value > bestValue) {
                    bestValue = value;
                    best = tPlacement{turns, shift, true};
                }
            }
        }
    }
    return best;
}

std::vector<uint16_t> PlacementKeys(const tPlacement& placement) {
    std::vector<uint16_t> keys(static_cast<size_t>(placement.turns), kTurn);
    keys.insert(keys.end(), static_cast<size_t>(std::abs(placement.shift)),
                placement.shift < 0 ? kLeft : kRight);
    return keys;
}
