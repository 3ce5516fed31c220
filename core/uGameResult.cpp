// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/uGameResult.h"

#include "core/uStatText.h"

tResultRecord GameResult(const tGameModel& game, const std::string& name, char decimalSeparator) {
    const tGameCounters& c = game.Counters();
    const double playTime = c.PlayTime();
    tResultRecord r;
    static_cast<tResultTexts&>(r) = {
        game.StartTime(),
        TimeText(playTime),
        std::to_string(game.Settings().StartLevel),
        std::to_string(game.Settings().BrokenLines),
        std::to_string(c.Figures) + RateText(c.Figures, playTime, decimalSeparator),
        std::to_string(c.Cleared) + RateText(c.Cleared, playTime, decimalSeparator)};
    r.Name = name;
    r.Level = c.Level;
    r.Score = c.Score;
    return r;
}
