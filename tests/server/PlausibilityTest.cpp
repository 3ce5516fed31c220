// SPDX-License-Identifier: GPL-3.0-or-later
// Games played through the game model by players of every kind, their results written as the well writes
// them, and the server's check: it takes every real result and refuses each one made a little better.

#include "bench/AutoPlayer.h"
#include "core/uGameModel.h"
#include "core/uStatText.h"
#include "server/uPlausibility.h"
#include "server/uUploadCheck.h"
#include "storage/uHSUpload.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>

namespace {

constexpr const char* kStart = "07.03.05 21:15:00";
constexpr int kGames = 200;

// How a player finishes a figure once it is steered to its place; Random presses any keys at any tick and
// pauses now and then instead.
enum class tStyle { Drop, Slide, Push, Wait, Random };
constexpr int kStyles = 5;

void Run(tGameModel& game, tActionSet actions) {
    if (game.Press(actions).DropShown) {
        game.FinishDrop();
    }
}

void Steer(tGameModel& game, tStyle style) {
    const tPlacement placement = ChoosePlacement(game.Well(), game.Current(), game.FigX(), game.FigY());
    for (int i = 0; i < placement.turns; ++i) {
        Run(game, ActionBit(tAction::RotateRight));
    }
    for (int i = 0; i < std::abs(placement.shift); ++i) {
        Run(game, ActionBit(placement.shift < 0 ? tAction::MoveLeft : tAction::MoveRight));
    }
    if (style == tStyle::Drop) {
        Run(game, ActionBit(tAction::Drop));
    } else if (style == tStyle::Slide) {
        Run(game, ActionBit(tAction::QMoveDown));
    } else if (style == tStyle::Push) {
        for (int row = kSpawnRow; row < kWellRows; ++row) {
            Run(game, ActionBit(tAction::MoveDown));
        }
    }
}

// Plays until the pile reaches the top or maxFigures figures have entered. Returns the ticks of the timer.
int Play(tGameModel& game, tStyle style, int maxFigures, std::mt19937& random) {
    int ticks = 0;
    int steered = 0;
    while (game.Playing() && game.Counters().Figures < maxFigures) {
        if (style == tStyle::Random) {
            Run(game, static_cast<tActionSet>(random() % (1u << kActionCount)));
            if (random() % 50 == 0) {
                game.SetPause(true);
                game.Tick();
                game.SetPause(false);
            }
        } else if (game.Falling() && game.Counters().Figures != steered) {
            steered = game.Counters().Figures;
            Steer(game, style);
            continue;
        }
        game.Tick();
        ++ticks;
    }
    return ticks;
}

// What the well uploads at game over: the statistics' texts of the model's counters.
tResultRecord ResultOf(const tGameModel& game) {
    const tGameCounters& c = game.Counters();
    const double playTime = c.PlayTime();
    tResultRecord r;
    static_cast<tResultTexts&>(r) = {game.StartTime(),
                                     TimeText(playTime),
                                     std::to_string(game.Settings().StartLevel),
                                     std::to_string(game.Settings().BrokenLines),
                                     std::to_string(c.Figures) + RateText(c.Figures, playTime, ','),
                                     std::to_string(c.Cleared) + RateText(c.Cleared, playTime, '.')};
    r.Name = "Player";
    r.Level = c.Level;
    r.Score = c.Score;
    return r;
}

tUploadVerdict Check(const tGameSettings& settings, const tResultRecord& result) {
    return CheckUpload(UploadData(kGameTypes[static_cast<size_t>(settings.GameType)].Name,
                                  kDifficulties[static_cast<size_t>(settings.Difficulty)].Name, result));
}

} // namespace

TEST(Plausibility, EveryRealGameIsTakenAndItsLevelOrAFastDroppersPlayTimeMadeBetterIsNot) {
    std::mt19937 random(20050307);
    int fastDroppers = 0;
    for (int i = 0; i < kGames; ++i) {
        tGameSettings settings;
        settings.GameType = i % static_cast<int>(kGameTypes.size());
        settings.Difficulty = i / 2 % static_cast<int>(kDifficulties.size());
        const int maxStart = kDifficulties[static_cast<size_t>(settings.Difficulty)].MaxStartLevel;
        settings.StartLevel = kMinStartLevel + static_cast<int>(random() % maxStart);
        settings.BrokenLines = random() % 3 == 0 ? static_cast<int>(random() % (kMaxBrokenLines + 1)) : 0;
        const auto style = static_cast<tStyle>(i / 8 % kStyles);
        tGameModel game;
        game.NewGame(settings, static_cast<uint32_t>(i), kStart);
        const int ticks = Play(game, style, 1 + static_cast<int>(random() % 300), random);
        // A game still running ends as over, its result kept.
        const bool cutShort = game.Playing();
        game.StopGame(false);

        const tResultRecord result = ResultOf(game);
        const std::string what = "game " + std::to_string(i) + ": level " + std::to_string(result.Level) +
                                 ", score " + std::to_string(result.Score) + ", " + result.Figures + ", " +
                                 result.Cleared + ", " + result.PlayTime;
        const tUploadVerdict verdict = Check(settings, result);
        ASSERT_TRUE(verdict.Record) << what << ": " << verdict.Problem;

        tResultRecord higher = result;
        ++higher.Level;
        EXPECT_NE(Check(settings, higher).Problem.find("does not follow"), std::string::npos) << what;

        // A player who drops every figure as it enters spends one tick a figure, the least the check allows:
        // the timer ticked once, for the first, and each drop brought the next (a game that ended itself
        // may have spent one more on a figure that did not fit).
        const int64_t playMs = game.Counters().PlayTimeMs;
        if (ticks == 1 && cutShort && playMs >= 1000) {
            ++fastDroppers;
            tResultRecord quicker = result;
            quicker.PlayTime = TimeText(static_cast<double>(playMs) / 1000.0 - 1.0);
            EXPECT_NE(Check(settings, quicker).Problem.find("play time"), std::string::npos) << what;
        }

        // A clock a day behind the player's is still believed, a millisecond more is not.
        const int64_t startMs = verdict.Record->StartMs;
        EXPECT_EQ(PlausibilityProblem(*verdict.Record, startMs - kStartTimeAheadMs), "");
        EXPECT_NE(PlausibilityProblem(*verdict.Record, startMs - kStartTimeAheadMs - 1).find("future"),
                  std::string::npos);
    }
    EXPECT_GT(fastDroppers, kGames / kStyles / 2);
}
