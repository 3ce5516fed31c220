// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/uCellLook.h"

tCellLook CellLook(const tGameModel& game, bool mark, int column, int row) {
    if (game.Playing()) {
        if (game.Paused()) {
            return tCellLook::Empty;
        }
        if (game.Falling()) {
            if (game.FigureCovers(column, row)) {
                return tCellLook::Falling;
            }
            if (mark && game.MarkCovers(column, row)) {
                return tCellLook::Mark;
            }
        }
    }
    return game.Well().At(column, row) != 0 ? tCellLook::Fixed : tCellLook::Empty;
}
