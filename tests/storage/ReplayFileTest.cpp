// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/ScriptedGame.h"
#include "core/uGameReplay.h"
#include "storage/uReplayFile.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <tuple>

namespace {

// A game of random key presses between ticks, played to its end or to the given number of steps.
tGameRecord PlayedGame(const tGameSettings& settings, uint32_t seed, int steps) {
    tRandom player(seed);
    tGameModel game;
    game.NewGame(settings, seed, "09.12.26 21:30:00");
    for (int step = 0; step < steps && game.Playing(); ++step) {
        if (player.Below(3) != 0) {
            game.Tick();
        } else if (game.Press(static_cast<tActionSet>(1u << player.Below(kActionCount)), step * 25)
                       .DropShown) {
            game.FinishDrop();
        }
    }
    return game.Record();
}

} // namespace

TEST(ReplayFile, RecordedGamesComeBackWholeAndReplayToTheSameEnd) {
    for (uint32_t seed = 1; seed <= 16; ++seed) {
        const tGameSettings settings{static_cast<int>(seed % 2), static_cast<int>(seed % 4),
                                     1 + static_cast<int>(seed % 10), static_cast<int>(seed % 21)};
        const tGameRecord record = PlayedGame(settings, seed, 4000);
        const tReplayRead read = DecodeReplay(EncodeReplay(record));
        ASSERT_TRUE(read.Record) << read.Problem;
        EXPECT_EQ(*read.Record, record);
        EXPECT_EQ(ReplayGame(*read.Record).Counters().Score, ReplayGame(record).Counters().Score);
    }
}

TEST(ReplayFile, AThousandGamesOfEveryKindComeBackFromTheirFilesToTheSameWellAndResult) {
    std::mt19937 random(20240601);
    for (int i = 0; i < 1000; ++i) {
        // Every game type, difficulty and number of broken lines, each at five or six start levels.
        tGameSettings settings{i % 2, i / 2 % 4, 0, i / 8 % (kMaxBrokenLines + 1)};
        const int maxStart = kDifficulties[static_cast<size_t>(settings.Difficulty)].MaxStartLevel;
        settings.StartLevel = kMinStartLevel + i / 168 * (maxStart - kMinStartLevel) / 5;
        tTimedGame timed(settings, "Player" + std::to_string(random()));
        PlayGame(timed, static_cast<tPlayStyle>(i % kPlayStyles), 1 + static_cast<int>(random() % 30),
                 random);
        // Most games end by the rules; the others are cut off anywhere, a figure in mid-fall included.
        if (i % 4 != 0) {
            EndGame(timed);
        }
        const tGameModel& game = timed.Game();

        const tReplayRead read = DecodeReplay(EncodeReplay(game.Record()));
        ASSERT_TRUE(read.Record) << i << ": " << read.Problem;
        const tGameModel replayed = ReplayGame(*read.Record);
        const std::string what = "game " + std::to_string(i);
        EXPECT_EQ(replayed.Well(), game.Well()) << what;
        EXPECT_EQ(replayed.Counters(), game.Counters()) << what;
        EXPECT_EQ(replayed.Record(), game.Record()) << what;
        EXPECT_EQ(replayed.Playing(), game.Playing()) << what;
        EXPECT_EQ(std::tuple(PictureOf(replayed.Current()), replayed.FigX(), replayed.FigY(),
                             PictureOf(replayed.Next())),
                  std::tuple(PictureOf(game.Current()), game.FigX(), game.FigY(), PictureOf(game.Next())))
            << what;
        EXPECT_LE(game.Counters().TickedMs, game.Counters().PlayTimeMs) << what;
    }
}

TEST(ReplayFile, WhatIsNoWholeReplayOfThisGameIsRefusedWithItsReason) {
    const std::string good = EncodeReplay(PlayedGame({}, 3, 2000));
    const auto problem = [](const std::string& bytes) { return DecodeReplay(bytes).Problem; };
    EXPECT_EQ(problem(""), "The file is no replay of this game.");
    EXPECT_EQ(problem("PK\x03\x04" + good.substr(4)), "The file is no replay of this game.");
    std::string future = good;
    future[4] = 3;
    EXPECT_EQ(problem(future), "The replay has format 3; this program reads formats 1 and 2.");
    for (const size_t at : {size_t{5}, good.size() / 2, good.size() - 1}) {
        std::string flipped = good;
        flipped[at] = static_cast<char>(flipped[at] ^ 0x10);
        EXPECT_EQ(problem(flipped), "The replay is damaged: its checksum does not match.") << at;
    }
    EXPECT_EQ(problem(good.substr(0, good.size() - 3)),
              "The replay is damaged: its checksum does not match.");
    EXPECT_EQ(problem(std::string(kMaxReplayBytes + 1, 'S')), "The replay is larger than 1024 KiB.");

    tGameRecord odd = PlayedGame({}, 4, 500);
    odd.Settings.Difficulty = 4;
    EXPECT_EQ(problem(EncodeReplay(odd)), "The replay's game type or difficulty is none of the game's.");
    odd = PlayedGame({0, 3, 10, 0}, 4, 500);
    odd.Settings.StartLevel = 11;
    EXPECT_EQ(problem(EncodeReplay(odd)),
              "The replay's start level or broken lines lie outside what the game offers.");
    odd = PlayedGame({}, 5, 500);
    ASSERT_FALSE(odd.Presses.empty());
    odd.Presses.back().Tick = odd.Ticks + 1;
    EXPECT_EQ(problem(EncodeReplay(odd)),
              "Key press " + std::to_string(odd.Presses.size()) + " of the replay cannot be read.");
    odd = PlayedGame({}, 5, 500);
    odd.Presses.back().TimeMs = kMaxReplayTimeMs + 1;
    EXPECT_EQ(problem(EncodeReplay(odd)), "The time of key press " + std::to_string(odd.Presses.size()) +
                                              " of the replay cannot be read.");
}

TEST(ReplayFile, AReplayOfTheFormatBeforeTimesIsReadAsIsWithoutThem) {
    tGameRecord untimed = PlayedGame({}, 6, 1500);
    untimed.Timed = false;
    for (tRecordedPress& press : untimed.Presses) {
        press.TimeMs = 0;
    }
    const std::string bytes = EncodeReplay(untimed);
    EXPECT_EQ(bytes[4], kUntimedReplayFormat);
    const tReplayRead read = DecodeReplay(bytes);
    ASSERT_TRUE(read.Record) << read.Problem;
    EXPECT_EQ(*read.Record, untimed);
    EXPECT_EQ(EncodeReplay(*read.Record), bytes);
    EXPECT_EQ(ReplayGame(*read.Record).Counters(), ReplayGame(PlayedGame({}, 6, 1500)).Counters());
}
