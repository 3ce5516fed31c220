// SPDX-License-Identifier: GPL-3.0-or-later
#include "GlassProbe.h"

#include <QRegularExpression>
#include <QTest>

TEST_F(GlassTest, NewGameStartsTheTimerAndTheFirstTickBringsTwoConsecutiveDraws) {
    Seed(0);
    glass->NewGame();
    EXPECT_TRUE(glass->Playing());
    EXPECT_TRUE(glass->Timer().IsActive());
    EXPECT_EQ(glass->Timer().Interval(), 500);
    EXPECT_FALSE(glass->View().MessageLabel().isVisibleTo(panel.get()));
    ASSERT_EQ(calls->loads, std::vector<std::string>{"Standart_Easy:Ivan"});
    EXPECT_TRUE(QRegularExpression("^\\d\\d\\.\\d\\d\\.\\d\\d \\d\\d:\\d\\d:\\d\\d$")
                    .match(QString::fromStdString(glass->Stat().StartTime()))
                    .hasMatch())
        << glass->Stat().StartTime();
    EXPECT_FALSE(glass->Falling());
    EXPECT_EQ(glass->Stat().Figures(), 0);

    // Seed 0 draws 0, 0, 6: two bars of four, then the S.
    glass->Tick();
    EXPECT_TRUE(glass->Falling());
    EXPECT_EQ(glass->Stat().Figures(), 1);
    EXPECT_EQ(PictureOf(glass->Current()), "....|....|####|....");
    EXPECT_EQ(glass->FigX(), 4);
    EXPECT_EQ(glass->FigY(), -1);
    EXPECT_EQ(PictureOf(glass->NextFigure()), "....|....|####|....");
    EXPECT_EQ(Picture(1, 1), "...####...");
    EXPECT_EQ(Picture(20, 20), "...oooo...") << "the landing mark";
    for (int c = 1; c <= 4; ++c) {
        EXPECT_EQ(PreviewLook(c, 3), tLook::Block);
        EXPECT_EQ(PreviewLook(c, 2), tLook::Tile);
    }
    EXPECT_DOUBLE_EQ(glass->Stat().PlayTime(), 0.5);
    EXPECT_EQ(glass->Stat().Score(), 0);

    glass->Tick();
    EXPECT_EQ(glass->FigY(), 0);
    EXPECT_EQ(Picture(1, 2), "..........|...####...");
    EXPECT_EQ(glass->Stat().Score(), 1) << "a row down by the timer scores 1";
    EXPECT_EQ(calls->updates.back(), "Ivan 1 1");

    TickUntilNextFigure();
    EXPECT_EQ(PictureOf(glass->Current()), "....|....|####|....");
    EXPECT_EQ(PictureOf(glass->NextFigure()), "....|.##.|##..|....");
    EXPECT_EQ(Picture(20, 20), "...FFFF...");
    EXPECT_EQ(glass->Stat().Score(), 19);
    // One spawn tick, 19 moves, the landing tick and the spawn right after it: 22 intervals of 500 ms.
    EXPECT_DOUBLE_EQ(glass->Stat().PlayTime(), 11.0);
    EXPECT_EQ(glass->Stat().Label(tStatLabel::Time).Text(), "0:11");
    EXPECT_EQ(sounds, std::vector<std::string>{"Drop"});
    EXPECT_EQ(ArrowTop(), 381);
}

TEST_F(GlassTest, SidewaysMovesAndTurnsAreCountedAndCarryTheMarkWithThem) {
    Seed(0);
    glass->NewGame();
    Press(kLeft);
    EXPECT_EQ(glass->Stat().Keys(), 0) << "keys do nothing before a figure falls";
    glass->Tick();

    Press(kUp);
    EXPECT_EQ(PictureOf(glass->Current()), ".#..|.#..|.#..|.#..");
    EXPECT_EQ(Picture(1, 2), "....#.....|....#.....");
    EXPECT_EQ(Picture(17, 20), "....o.....|....o.....|....o.....|....o.....");
    for (int i = 0; i < 5; ++i) {
        Press(kRight);
    }
    EXPECT_EQ(glass->FigX(), 9);
    EXPECT_EQ(Picture(1, 1), ".........#");
    EXPECT_EQ(Picture(20, 20), ".........o");
    EXPECT_EQ(glass->Stat().Keys(), 6);
    Press(kRight);
    EXPECT_EQ(glass->FigX(), 9) << "the wall stops it";
    EXPECT_EQ(glass->Stat().Keys(), 6) << "a refused move is not counted";
    Press(kUp);
    EXPECT_EQ(PictureOf(glass->Current()), ".#..|.#..|.#..|.#..") << "no kick away from the wall";
    EXPECT_EQ(glass->Stat().Keys(), 7) << "a refused turn is still counted";
    Press(kShift);
    EXPECT_EQ(glass->Stat().Keys(), 8);
    EXPECT_EQ(glass->Stat().Score(), 0);

    Press(kDown);
    EXPECT_EQ(glass->FigY(), 0);
    EXPECT_EQ(glass->Stat().Score(), 2);
    EXPECT_EQ(glass->Stat().Keys(), 9);
    EXPECT_EQ(Picture(20, 20), ".........o") << "moving down leaves the mark alone";

    Press(kSpace);
    EXPECT_EQ(glass->FigY(), 17);
    EXPECT_EQ(glass->Stat().Score(), 2 + 17 * 3);
    EXPECT_EQ(glass->Stat().Keys(), 10);
    EXPECT_TRUE(glass->Falling()) << "not fixed until the next tick";
    EXPECT_TRUE(glass->Timer().IsActive());
    EXPECT_EQ(glass->Well().At(10, 20), 0);
    EXPECT_EQ(Picture(17, 20), ".........#|.........#|.........#|.........#");

    Press(kDown);
    Press(kSpace);
    Press(kCtrl);
    EXPECT_EQ(glass->Stat().Score(), 53) << "nothing moves a figure at rest down";
    EXPECT_EQ(glass->Stat().Keys(), 10);
    EXPECT_EQ(glass->Stat().Label(tStatLabel::Keys).Text(), "10 [1200,0/m]");
}

TEST_F(GlassTest, KeysInTwoSlotsRunBothActionsInSlotOrder) {
    Seed(0);
    glass->SetKey(1, 65);
    glass->SetKey(3, 65);
    glass->NewGame();
    glass->Tick();
    Press(65);
    EXPECT_EQ(PictureOf(glass->Current()), ".#..|.#..|.#..|.#..");
    EXPECT_EQ(glass->FigX(), 3) << "turned first, then moved left";
    EXPECT_EQ(glass->Stat().Keys(), 2);
    Press(kUp);
    EXPECT_EQ(glass->Stat().Keys(), 2) << "the old code of slot 1 does nothing now";
    glass->SetKey(7, 0);
    Press(kCtrl);
    EXPECT_EQ(glass->FigY(), -1);
    Press(0);
    EXPECT_EQ(glass->Stat().Keys(), 2) << "code 0 means no key";
}

TEST_F(GlassTest, QuickDownLeavesTheFigureMovableUntilTheNextTick) {
    Seed(0);
    glass->NewGame();
    glass->Tick();
    probe->SetRows(19, {"...####...", "...####..."});
    probe->SetRows(17, {"..........", ".....#...."});
    probe->SetCurrent(probe->Table()[3], 4, -1); // the square over columns 5 and 6
    Press(kSpace);
    EXPECT_EQ(glass->FigY(), 15) << "resting on the block in row 18";
    Press(kRight);
    Press(kRight);
    EXPECT_EQ(glass->FigX(), 6);
    glass->Tick();
    EXPECT_EQ(glass->FigY(), 16) << "the timer lets it fall further after the move";
    TickUntilNextFigure();
    EXPECT_EQ(glass->Well().At(7, 18), 1);
    EXPECT_EQ(glass->Well().At(8, 17), 1);
}

TEST_F(GlassTest, DropScoresThreePerRowAndTenAndBringsTheNextFigureAtOnce) {
    Seed(0);
    glass->NewGame();
    glass->Tick();
    probe->SetCurrent(probe->Table()[0], 4, -1);
    const bool timerWasActive = glass->Timer().IsActive();
    Press(kCtrl);
    EXPECT_TRUE(timerWasActive);
    EXPECT_EQ(glass->Stat().Score(), 19 * 3 + 10);
    EXPECT_EQ(glass->Stat().Keys(), 1);
    EXPECT_EQ(glass->Stat().Figures(), 2) << "the next figure came without waiting for the timer";
    EXPECT_TRUE(glass->Falling());
    EXPECT_EQ(glass->FigY(), -1);
    EXPECT_TRUE(glass->Timer().IsActive());
    EXPECT_EQ(Picture(20, 20), "...FFFF...");
    EXPECT_EQ(sounds, std::vector<std::string>{"Drop"});
}

TEST_F(GlassTest, AVerticalBarClearingFourRowsScores1000InStepsAndCountsOneFourRowClear) {
    Seed(0);
    glass->SetShadow(false);
    glass->NewGame();
    glass->Tick();
    probe->SetRows(16, {"#.........", "#########.", "#########.", "#########.", "#########."});
    probe->SetCurrent(probe->VerticalBar(), 9, -1);
    calls->updates.clear();
    Press(kCtrl);
    const int dropped = 18 * 3 + 10;
    EXPECT_EQ(glass->Stat().Score(), dropped + 1000);
    EXPECT_EQ(glass->Stat().Cleared(), 4);
    EXPECT_EQ(glass->Stat().GetClears(4), 1);
    EXPECT_EQ(glass->Stat().GetClears(1), 0);
    EXPECT_EQ(sounds, (std::vector<std::string>{"Drop", "Lines"}));
    const std::vector<std::string> steps = {
        "Ivan 1 " + std::to_string(dropped + 100), "Ivan 1 " + std::to_string(dropped + 300),
        "Ivan 1 " + std::to_string(dropped + 600), "Ivan 1 " + std::to_string(dropped + 1000)};
    ASSERT_GE(calls->updates.size(), 4u);
    EXPECT_EQ(std::vector<std::string>(calls->updates.end() - 4, calls->updates.end()), steps);
    EXPECT_EQ(Picture(16, 20), "..........|..........|..........|..........|F.........");
    EXPECT_EQ(ArrowTop(), 381);
    EXPECT_EQ(glass->Stat().Label(tStatLabel::Clears).Text().substr(0, 12), "x1: 0 [0,0/m");
}

TEST_F(GlassTest, TwoFullRowsAroundANonFullOneAreBothRemoved) {
    Seed(0);
    glass->SetShadow(false);
    glass->NewGame();
    glass->Tick();
    probe->SetRows(18, {"#########.", "########..", "#########."});
    probe->SetCurrent(probe->VerticalBar(), 9, -1);
    Press(kCtrl);
    EXPECT_EQ(glass->Stat().Score(), 18 * 3 + 10 + 100 + 200);
    EXPECT_EQ(glass->Stat().Cleared(), 2);
    EXPECT_EQ(glass->Stat().GetClears(2), 1);
    EXPECT_EQ(Picture(18, 20), "..........|.........F|FFFFFFFF.F");
    EXPECT_EQ(sounds, (std::vector<std::string>{"Drop", "Lines"}));
}

TEST_F(GlassTest, AFullRowOutsideTheLandedBoxStaysUntilALaterBoxCoversIt) {
    Seed(0);
    glass->SetShadow(false);
    glass->NewGame();
    glass->Tick();
    probe->SetRows(20, {"##########"});
    probe->SetCurrent(probe->VerticalBar(), 0, -1);
    Press(kCtrl);
    EXPECT_TRUE(glass->Well().RowIsFull(20));
    EXPECT_EQ(glass->Stat().Cleared(), 0);
    EXPECT_EQ(ArrowTop(), 20 * 15 + 1) << "beside the top of the bar";

    probe->SetCurrent(probe->Table()[3], 6, -1); // the square over columns 7 and 8, box row 4 empty
    Press(kCtrl);
    EXPECT_EQ(glass->Stat().Cleared(), 1);
    EXPECT_EQ(Picture(17, 20), "F.........|F.........|F.....FF..|F.....FF..");
}

TEST_F(GlassTest, BrokenLinesAreLaidFromTheFloorUpWithTheGenerator) {
    glass->SetBrokenLines(3);
    Seed(42);
    glass->NewGame();
    EXPECT_EQ(Picture(17, 20), "..........|FF.....FFF|F...FFF..F|.F...FF.FF");
    EXPECT_EQ(ArrowTop(), 20 * 17 + 1);
    EXPECT_EQ(glass->Well().At(2, 20), 1);

    Seed(42);
    glass->ResetWell();
    EXPECT_EQ(Picture(18, 20), "FF.....FFF|F...FFF..F|.F...FF.FF") << "the same lines again";
    EXPECT_TRUE(glass->Playing()) << "resetting the well does not stop the game";
    EXPECT_EQ(glass->MessageState(), tWellMessage::NewGame);
}

TEST_F(GlassTest, LevelsRiseEveryFiftyFiguresOnEasyAndSpeedUp) {
    Seed(7);
    glass->NewGame();
    EXPECT_EQ(probe->Interval(), 500);
    auto playUntil = [&](int figures) {
        while (glass->Playing() && glass->Stat().Figures() < figures) {
            probe->ClearWell();
            glass->Tick();
        }
    };
    playUntil(49);
    EXPECT_EQ(glass->Stat().Level(), 1);
    playUntil(50);
    EXPECT_EQ(glass->Stat().Level(), 2);
    EXPECT_EQ(probe->Interval(), 480);
    playUntil(99);
    EXPECT_EQ(glass->Stat().Level(), 2);
    playUntil(100);
    EXPECT_EQ(glass->Stat().Level(), 3);
    EXPECT_EQ(probe->Interval(), 460);
    EXPECT_EQ(glass->Stat().Label(tStatLabel::Level).Text(), "3");
}

TEST_F(GlassTest, ImpossibleFromLevelTenRunsAtOneMillisecondFromTheTwentiethFigure) {
    glass->SetDifficulty(3, "Impossible");
    glass->SetStartLevel(10);
    Seed(7);
    glass->NewGame();
    EXPECT_EQ(glass->Stat().Level(), 10);
    EXPECT_EQ(probe->Interval(), 20);
    EXPECT_EQ(calls->loads.back(), "Standart_Impossible:Ivan");
    while (glass->Playing() && glass->Stat().Figures() < 20) {
        probe->ClearWell();
        glass->Tick();
    }
    EXPECT_EQ(glass->Stat().Level(), 11);
    EXPECT_EQ(probe->Interval(), 1);
}

TEST_F(GlassTest, AFigureThatCannotEnterEndsTheGameAndTheResultIsRecorded) {
    Seed(0);
    glass->SetBrokenLines(0);
    glass->NewGame();
    EXPECT_EQ(calls->updates.back(), "Ivan 1 0");
    EXPECT_TRUE(calls->playing.back()) << "the table knows a game is played from its start";
    probe->SetRows(1, {"...####..."});
    glass->Tick();
    EXPECT_FALSE(glass->Playing());
    EXPECT_TRUE(glass->Paused());
    EXPECT_FALSE(glass->Timer().IsActive());
    EXPECT_EQ(glass->MessageState(), tWellMessage::GameOver);
    EXPECT_EQ(glass->View().MessageLabel().Text(), ":: Game Over ::\n\rPress F2 for new game");
    EXPECT_TRUE(glass->View().MessageLabel().isVisibleTo(panel.get()));
    EXPECT_EQ(glass->Stat().Figures(), 0);
    EXPECT_EQ(Picture(1, 1), "...FFFF...") << "the figure that did not fit is not drawn";
    EXPECT_TRUE(sounds.empty());
    EXPECT_EQ(calls->updates.back(), "Ivan 1 0") << "the final live entry";
    EXPECT_FALSE(calls->playing.back());
    ASSERT_EQ(calls->results.size(), 1u);
    const tHS& result = calls->results[0];
    EXPECT_EQ(result.Name, "Ivan");
    EXPECT_EQ(result.Level, 1);
    EXPECT_EQ(result.Score, 0);
    EXPECT_EQ(result.StartTime, glass->Stat().StartTime());
    EXPECT_EQ(result.PlayTime, "0:00");
    EXPECT_EQ(result.StartLevel, "1");
    EXPECT_EQ(result.BrokenLines, "0");
    EXPECT_EQ(result.Figures, "0 [0,0/m]");
    EXPECT_EQ(result.Cleared, "0 [0,0/m]");

    Press(kLeft);
    glass->StopGame(true);
    EXPECT_EQ(glass->MessageState(), tWellMessage::GameOver) << "nothing to stop";
    glass->ResetWell();
    EXPECT_EQ(glass->MessageState(), tWellMessage::NewGame);
    EXPECT_EQ(glass->View().MessageLabel().Text(), "Press F2 for new game");
    EXPECT_EQ(Picture(1, 1), "..........");
}

TEST_F(GlassTest, NothingOfAGameMovesWhileTheTableHoldsAMessageOpen) {
    Seed(0);
    glass->NewGame();
    TickUntilNextFigure();
    std::vector<bool> timerActive;
    const int figures = glass->Stat().Figures();
    calls->whileTableBusy = [&] {
        timerActive.push_back(glass->Timer().IsActive());
        glass->Tick();
    };
    const std::string before = Picture(1, 20);
    const double playTime = glass->Stat().PlayTime();
    glass->NewGame();
    EXPECT_EQ(glass->Stat().PlayTime(), 0.0);
    EXPECT_EQ(glass->Stat().Figures(), 0);
    EXPECT_TRUE(glass->Playing());
    EXPECT_GT(playTime, 0.0);
    EXPECT_GT(figures, 0);
    EXPECT_NE(before, Picture(1, 20));

    probe->SetRows(1, {"...####..."});
    glass->Tick();
    EXPECT_FALSE(glass->Playing());
    EXPECT_EQ(calls->results.size(), 1u) << "the ended game is stored once";
    EXPECT_EQ(glass->Stat().Figures(), 0);
    EXPECT_EQ(timerActive, (std::vector<bool>{false, false})) << "NewGame's load, then the game over's save";
}

TEST_F(GlassTest, ABlockComingToRestAboveTheWellEndsTheGameButTheRestIsStored) {
    Seed(0);
    glass->SetStartLevel(6);
    glass->SetBrokenLines(2);
    glass->NewGame();
    EXPECT_EQ(calls->updates.back(), "Ivan 1 0") << "the row keeps level 1 until the first points";
    glass->Tick();
    std::vector<std::string> column(19, "....#.....");
    probe->SetRows(2, column);
    probe->SetCurrent(probe->Table()[3], 4, -1);
    glass->Tick();
    EXPECT_FALSE(glass->Playing());
    EXPECT_EQ(glass->MessageState(), tWellMessage::GameOver);
    EXPECT_EQ(sounds, std::vector<std::string>{"Drop"});
    EXPECT_EQ(glass->Well().At(5, 1), 1);
    EXPECT_EQ(glass->Well().At(6, 1), 1);
    EXPECT_EQ(Picture(1, 2), "....FF....|....F.....");
    EXPECT_EQ(ArrowTop(), 1);
    ASSERT_EQ(calls->results.size(), 1u);
    EXPECT_EQ(calls->results[0].Level, 6);
    EXPECT_EQ(calls->results[0].StartLevel, "6");
    EXPECT_EQ(calls->results[0].BrokenLines, "2");
    EXPECT_EQ(calls->results[0].Figures, "1 [75,0/m]") << "one figure in two ticks of 400 ms";
    EXPECT_EQ(calls->results[0].PlayTime, "0:00");
    EXPECT_FALSE(glass->Timer().IsActive());
}

TEST_F(GlassTest, NewGameDuringAGameDropsItWithoutARecord) {
    Seed(0);
    glass->NewGame();
    for (int i = 0; i < 5; ++i) {
        glass->Tick();
    }
    Press(kLeft);
    EXPECT_GT(glass->Stat().Score(), 0);
    glass->NewGame();
    EXPECT_TRUE(calls->results.empty());
    EXPECT_EQ(calls->loads.size(), 2u);
    EXPECT_EQ(glass->Stat().Score(), 0);
    EXPECT_EQ(glass->Stat().Keys(), 0);
    EXPECT_EQ(glass->Stat().Figures(), 0);
    EXPECT_EQ(glass->MessageState(), tWellMessage::NewGame);
    EXPECT_FALSE(glass->View().MessageLabel().isVisibleTo(panel.get()));
    EXPECT_EQ(Picture(1, 20).find_first_not_of(".|"), std::string::npos);
    EXPECT_FALSE(HasBlocks(glass->NextFigure()));
}

TEST_F(GlassTest, SoundsOffSilencesLandingsAndClears) {
    Seed(0);
    glass->SetSounds(false);
    glass->NewGame();
    glass->Tick();
    probe->SetRows(20, {"#########."});
    probe->SetCurrent(probe->VerticalBar(), 9, -1);
    Press(kCtrl);
    EXPECT_EQ(glass->Stat().Cleared(), 1);
    EXPECT_TRUE(sounds.empty());
}

TEST_F(GlassTest, TheSameSeedReplaysTheSameGame) {
    auto play = [&](uint32_t seed) {
        Seed(seed);
        glass->NewGame();
        std::string figures;
        const uint16_t script[] = {kLeft,  kUp,   kCtrl, kRight, kRight, kSpace,
                                   kShift, kCtrl, kLeft, kLeft,  kCtrl};
        for (int round = 0; round < 6 && glass->Playing(); ++round) {
            for (const uint16_t key : script) {
                if (!glass->Falling()) {
                    glass->Tick();
                }
                figures += PictureOf(glass->Current()) + ";";
                Press(key);
            }
        }
        return figures + std::to_string(glass->Stat().Score()) + Picture(1, 20);
    };
    const std::string first = play(99);
    const std::string again = play(99);
    EXPECT_EQ(first, again);
}

TEST_F(GlassTest, TheRealTimerDrivesTheGameAndStopsWithIt) {
    glass->SetDifficulty(3, "Impossible");
    glass->SetStartLevel(10);
    glass->NewGame();
    EXPECT_TRUE(QTest::qWaitFor([&] { return glass->Stat().Figures() >= 1 && glass->FigY() >= 2; }, 5000));
    glass->SetPause(true);
    const int y = glass->FigY();
    QTest::qWait(60);
    EXPECT_EQ(glass->FigY(), y);
    glass->StopGame(true);
    EXPECT_FALSE(glass->Timer().IsActive());
}
