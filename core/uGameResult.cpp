// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/uGameResult.h"

#include "core/uStatText.h"

tResultRecord GameResult(const tGameModel& game, const std::string& name, char decimalSeparator) {
    tResultRecord result;
    WriteGameResult(game, name, decimalSeparator, result);
    return result;
}

void WriteGameResult(const tGameModel& game, const std::string& name, char decimalSeparator,
                     tResultRecord& result) {
    const tGameCounters& c = game.Counters();
    const double playTime = c.PlayTime();
    result.StartTime = game.StartTime();
    result.PlayTime = TimeText(playTime);
    result.StartLevel = std::to_string(game.Settings().StartLevel);
    result.BrokenLines = std::to_string(game.Settings().BrokenLines);
    result.Figures = std::to_string(c.Figures);
    result.Figures += RateText(c.Figures, playTime, decimalSeparator);
    result.Cleared = std::to_string(c.Cleared);
    result.Cleared += RateText(c.Cleared, playTime, decimalSeparator);
    result.Name = name;
    result.Level = c.Level;
    result.Score = c.Score;
}
