// SPDX-License-Identifier: GPL-3.0-or-later
// A game in the time of play: its seed, the pace of a real player's presses, and a record played again at
// the times it was played.
#include "core/uGameReplay.h"
#include "core/uGameSeed.h"
#include "core/uPressPace.h"
#include "core/uReplayCursor.h"
#include "core/uTickSchedule.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr tGameSettings kNormal{0, 1, 1, 0};

// A game in which a move comes 3 ms after every fifth tick, and a drop after every fortieth, until it ends.
tGameRecord PlayedGame(const tGameSettings& settings) {
    tGameModel game;
    tTickSchedule schedule;
    schedule.Follow(
        game.NewGame(settings, GameSeed("ann", "09.12.26 21:00:00", settings), "09.12.26 21:00:00"), game, 0);
    for (int tick = 1; game.Playing(); ++tick) {
        const int64_t due = schedule.Due();
        game.Tick();
        schedule.Ticked(game, due);
        if (tick % 5 != 0 || !game.Falling()) {
            continue;
        }
        const bool drop = tick % 40 == 0;
        const tChanges pressed = game.Press(ActionBit(drop ? tAction::Drop : tAction::MoveLeft), due + 3);
        schedule.Follow(pressed, game, due + 3);
        if (pressed.DropShown) {
            schedule.Follow(game.FinishDrop(), game, due + 3 + kDropPauseMs);
        }
    }
    return game.Record();
}

} // namespace

TEST(PlayTime, TheSeedIsTheDocumentedHashOfTheNameTimeAndSettings) {
    EXPECT_EQ(SeedText("ivan", "10.12.26 14:05:09", {}), "ivan\n10.12.26 14:05:09\nStandart\nEasy\n1\n0");
    EXPECT_EQ(GameSeed("ivan", "10.12.26 14:05:09", {}), 1427911911u);
    for (const tGameSettings other : {tGameSettings{1, 0, 1, 0}, tGameSettings{0, 1, 1, 0},
                                      tGameSettings{0, 0, 2, 0}, tGameSettings{0, 0, 1, 1}}) {
        EXPECT_NE(GameSeed("ivan", "10.12.26 14:05:09", other), 1427911911u);
    }
    EXPECT_NE(GameSeed("ivan", "10.12.26 14:05:10", {}), 1427911911u);
    EXPECT_NE(GameSeed("ivana", "10.12.26 14:05:09", {}), 1427911911u);
}

TEST(PlayTime, PressesKeepToTheRepeatTheDropsPauseAndAPersonsPace) {
    const tActionSet left = ActionBit(tAction::MoveLeft);
    const tActionSet drop = ActionBit(tAction::Drop);
    tPressPace pace;
    pace.Take(left, 1000);
    EXPECT_NE(pace.Breaks(left, 1009).find("faster than any key repeats"), std::string::npos);
    EXPECT_EQ(pace.Breaks(left, 1010), "");
    EXPECT_EQ(pace.Breaks(ActionBit(tAction::MoveRight), 1000), "") << "another key at once";
    pace.Take(drop, 1000);
    EXPECT_NE(pace.Breaks(drop | left, 1005).find("drop's pause"), std::string::npos);

    // Taps of other keys in turn: a person's fingers make no more than kMostTapsPerSecond a second.
    tGameRecord taps;
    for (int i = 0; i <= kMostTapsPerSecond; ++i) {
        taps.Presses.push_back({1, static_cast<tActionSet>(1 + i % 2), i * 40});
    }
    ASSERT_TRUE(FirstPaceBreak(taps));
    EXPECT_EQ(FirstPaceBreak(taps)->Press, static_cast<size_t>(kMostTapsPerSecond + 1));
    EXPECT_NE(FirstPaceBreak(taps)->Bound.find("taps a second"), std::string::npos);

    taps.Presses.back().TimeMs = 1000;
    EXPECT_FALSE(FirstPaceBreak(taps)) << "a second after the first tap";
    taps.Presses.back().TimeMs = 801;
    taps.Presses.back().Actions = taps.Presses[kMostTapsPerSecond - 1].Actions;
    EXPECT_FALSE(FirstPaceBreak(taps)) << "the same keys again repeat, they are no tap";
    taps.Timed = false;
    taps.Presses.back().TimeMs = 0;
    EXPECT_FALSE(FirstPaceBreak(taps)) << "a record without times has no pace to break";
}

TEST(PlayTime, ARecordPlaysAgainAtItsTimesAndNoPressMayComeBeforeItsTick) {
    const tGameRecord record = PlayedGame(kNormal);
    ASSERT_GT(record.Presses.size(), 20u);
    const tCheckedReplay checked = ReplayChecked(record);
    EXPECT_EQ(checked.Problem, "");
    EXPECT_EQ(checked.Game.Record(), record);
    EXPECT_FALSE(checked.Game.Playing());

    // Stepped through at the times of play, every press comes at its time, after its ticks.
    tGameModel watched;
    tReplayCursor cursor(watched, record);
    cursor.Start();
    for (const tRecordedPress& press : record.Presses) {
        cursor.AdvanceTo(press.TimeMs - 1);
        ASSERT_LE(watched.Record().Presses.size() + 1,
                  static_cast<size_t>(&press - record.Presses.data() + 1));
        cursor.AdvanceTo(press.TimeMs);
        ASSERT_EQ(watched.Record().Presses.back(), press);
        ASSERT_EQ(watched.Record().Ticks, press.Tick);
    }
    cursor.RunToEnd();
    EXPECT_TRUE(cursor.Done());
    EXPECT_EQ(watched.Counters(), checked.Game.Counters());
    EXPECT_EQ(watched.Well(), checked.Game.Well());

    // A press put a tick's interval earlier comes before its tick could; the game still watches the same.
    tGameRecord early = record;
    early.Presses[10].TimeMs -= IntervalAt(kNormal.Difficulty, kNormal.StartLevel);
    EXPECT_NE(ReplayChecked(early).Problem.find("key press 11, at "), std::string::npos)
        << ReplayChecked(early).Problem;
    EXPECT_EQ(ReplayGame(early).Counters(), checked.Game.Counters());
    // A press put a second later than it came, after the same ticks, came while the timer stood still.
    tGameRecord late = record;
    for (size_t i = 10; i < late.Presses.size(); ++i) {
        late.Presses[i].TimeMs += 1000;
    }
    EXPECT_NE(ReplayChecked(late).Problem.find("key press 11, at "), std::string::npos);
    EXPECT_NE(ReplayChecked(late).Problem.find("the timer does not stand still"), std::string::npos);
    // Presses far apart with no tick between are refused before anything is played.
    tGameRecord tickless = record;
    for (size_t i = 0; i < tickless.Presses.size(); ++i) {
        tickless.Presses[i].Tick = 0;
    }
    ASSERT_TRUE(FirstPaceBreak(tickless));
    EXPECT_NE(FirstPaceBreak(tickless)->Bound.find("with no tick between"), std::string::npos);
    // All presses at once break the pace before anything is played.
    tGameRecord rushed = record;
    for (tRecordedPress& press : rushed.Presses) {
        press.TimeMs = 5;
    }
    EXPECT_NE(ReplayChecked(rushed).Problem.find("faster than a player"), std::string::npos);
}

TEST(PlayTime, AResumedGameGoesOnWithThePeriodItsPauseBrokeOff) {
    tGameModel game;
    tTickSchedule schedule;
    schedule.Follow(game.NewGame(kNormal, 1, "09.12.26 21:00:00"), game, 0);
    const int64_t due = schedule.Due();
    game.SetPause(true);
    const tChanges resumed = game.SetPause(false);
    EXPECT_EQ(resumed.Timer, tTimerChange::Resume);
    EXPECT_TRUE(game.TimerRunning());
    schedule.Follow(resumed, game, due - 1);
    EXPECT_EQ(schedule.Due(), due) << "the pause gave the figure a fresh period";
}
