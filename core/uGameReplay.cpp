// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/uGameReplay.h"

tGameModel ReplayGame(const tGameRecord& record) {
    tGameModel game;
    game.NewGame(record.Settings, record.Seed, record.StartTime);
    size_t next = 0;
    for (int64_t tick = 1; tick <= record.Ticks; ++tick) {
        game.Tick();
        for (; next < record.Presses.size() && record.Presses[next].Tick == tick; ++next) {
            if (game.Press(record.Presses[next].Actions).DropShown) {
                game.FinishDrop();
            }
        }
    }
    return game;
}
