// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/uGameReplay.h"

tGameModel ReplayGame(const tGameRecord& record) {
    tGameModel game;
    game.SetUnseen();
    game.NewGame(record.Settings, record.Seed, record.StartTime);
    int64_t tick = 0;
    // Ticks and presses after the game's end change nothing.
    for (const tRecordedPress& press : record.Presses) {
        if (!game.Playing()) {
            return game;
        }
        if (press.Tick > tick) {
            game.Ticks(press.Tick - tick);
            tick = press.Tick;
        }
        if (game.Press(press.Actions).DropShown) {
            game.FinishDrop();
        }
    }
    if (game.Playing() && record.Ticks > tick) {
        game.Ticks(record.Ticks - tick);
    }
    return game;
}
