// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/uGameReplay.h"

#include "core/uPressPace.h"
#include "core/uReplayCursor.h"

namespace {

tCheckedReplay Replay(const tGameRecord& record, bool strict) {
    tCheckedReplay replayed;
    replayed.Game.SetUnseen();
    tReplayCursor cursor(replayed.Game, record, strict);
    cursor.Start();
    cursor.RunToEnd();
    replayed.Problem = cursor.Problem();
    return replayed;
}

} // namespace

tGameModel ReplayGame(const tGameRecord& record) {
    return Replay(record, false).Game;
}

tCheckedReplay ReplayChecked(const tGameRecord& record) {
    if (const std::optional<tPaceBreak> broken = FirstPaceBreak(record)) {
        return {tGameModel{}, "The replay is faster than a player: " +
                                  PressMoment(broken->Press, broken->TimeMs) + " " + broken->Bound + "."};
    }
    return Replay(record, true);
}
