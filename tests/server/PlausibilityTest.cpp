// SPDX-License-Identifier: GPL-3.0-or-later
// Games played through the game model by players of every kind, their results written as the well writes
// them, and the server's check: it takes every real result and refuses each one made a little better.

#include "bench/ScriptedGame.h"
#include "core/uGameModel.h"
#include "core/uStatText.h"
#include "server/check/uPlausibility.h"
#include "server/check/uUploadCheck.h"
#include "storage/uHSUpload.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

constexpr const char* kStart = "07.03.05 21:15:00";
constexpr int kGames = 200;

tUploadVerdict Check(const tGameSettings& settings, const tResultRecord& result) {
    return CheckUpload(UploadData(kGameTypes[static_cast<size_t>(settings.GameType)].Name,
                                  kDifficulties[static_cast<size_t>(settings.Difficulty)].Name, result));
}

} // namespace

TEST(Plausibility, EveryRealGameIsTakenAndItsLevelOrAFastDroppersPlayTimeMadeBetterIsNot) {
    std::mt19937 random(20050307);
    for (int i = 0; i < kGames; ++i) {
        tGameSettings settings;
        settings.GameType = i % static_cast<int>(kGameTypes.size());
        settings.Difficulty = i / 2 % static_cast<int>(kDifficulties.size());
        const int maxStart = kDifficulties[static_cast<size_t>(settings.Difficulty)].MaxStartLevel;
        settings.StartLevel = kMinStartLevel + static_cast<int>(random() % maxStart);
        settings.BrokenLines = random() % 3 == 0 ? static_cast<int>(random() % (kMaxBrokenLines + 1)) : 0;
        const auto style = static_cast<tPlayStyle>(i / 8 % kPlayStyles);
        tTimedGame timed(settings, "Player" + std::to_string(i), kStart);
        PlayGame(timed, style, 1 + static_cast<int>(random() % 300), random);
        // A game still running ends as over, its result kept.
        const tGameModel& game = timed.Game();
        timed.Stop(false);

        const tResultRecord result = ResultOf(game, "Player");
        const std::string what = "game " + std::to_string(i) + ": level " + std::to_string(result.Level) +
                                 ", score " + std::to_string(result.Score) + ", " + result.Figures + ", " +
                                 result.Cleared + ", " + result.PlayTime;
        const tUploadVerdict verdict = Check(settings, result);
        ASSERT_TRUE(verdict.Record) << what << ": " << verdict.Problem;

        tResultRecord higher = result;
        ++higher.Level;
        EXPECT_NE(Check(settings, higher).Problem.find("does not follow"), std::string::npos) << what;

        // A clock a day behind the player's is still believed, a millisecond more is not.
        const int64_t startMs = verdict.Record->StartMs;
        EXPECT_EQ(PlausibilityProblem(*verdict.Record, startMs - kStartTimeAheadMs), "");
        EXPECT_NE(PlausibilityProblem(*verdict.Record, startMs - kStartTimeAheadMs - 1).find("future"),
                  std::string::npos);
    }

    // A player who holds the drop key from the first figure on spends one interval a figure, the least the
    // check allows: the timer ticked once, for the first, and each drop brought the next before a tick; the
    // game ends at the fifth, as over.
    for (int difficulty = 0; difficulty < static_cast<int>(kDifficulties.size()); ++difficulty) {
        const tGameSettings settings{0, difficulty, kMinStartLevel, 0};
        tTimedGame timed(settings, "Dropper", kStart);
        timed.Tick();
        while (timed.Game().Playing() && timed.Game().Counters().Figures < 5) {
            timed.Press(ActionBit(tAction::Drop));
        }
        const tGameModel& game = timed.Game();
        ASSERT_TRUE(game.Playing());
        ASSERT_EQ(game.Record().Ticks, 1);
        timed.Stop(false);
        const int64_t playMs = game.Counters().PlayTimeMs;
        ASSERT_GE(playMs, 1000);
        tResultRecord quicker = ResultOf(game, "Dropper");
        EXPECT_EQ(Check(settings, quicker).Problem, "");
        quicker.PlayTime = TimeText(static_cast<double>(playMs) / 1000.0 - 1.0);
        EXPECT_NE(Check(settings, quicker).Problem.find("play time"), std::string::npos) << quicker.PlayTime;
    }
}
