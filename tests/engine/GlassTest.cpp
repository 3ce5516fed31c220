// SPDX-License-Identifier: GPL-3.0-or-later
#include "GlassProbe.h"
#include "core/uGameSeed.h"

#include <QRegularExpression>
#include <QTest>

// The rules themselves are the game model's tests; these follow the well as the model's screen: what it
// draws, how it runs the timer, what it tells the table and which sounds it plays.

TEST_F(GlassTest, TheFirstTickDrawsTheFigureItsMarkAndThePreviewAndTheTableFollowsTheScore) {
    StartWithTwoBars();
    glass->NewGame();
    EXPECT_TRUE(glass->Timer().IsActive());
    EXPECT_EQ(glass->Timer().Interval(), 500);
    EXPECT_FALSE(glass->View().MessageLabel().isVisibleTo(panel.get()));
    ASSERT_EQ(calls->loads, std::vector<std::string>{"Standart_Easy:Ivan"});
    EXPECT_TRUE(QRegularExpression("^\\d\\d\\.\\d\\d\\.\\d\\d \\d\\d:\\d\\d:\\d\\d$")
                    .match(QString::fromStdString(glass->Model().StartTime()))
                    .hasMatch())
        << glass->Model().StartTime();

    // Two bars of four, then the S.
    glass->Tick();
    EXPECT_EQ(Picture(1, 1), "...####...");
    EXPECT_EQ(Picture(20, 20), "...oooo...") << "the landing mark";
    for (int c = 1; c <= 4; ++c) {
        EXPECT_EQ(PreviewLook(c, 3), tLook::Block);
        EXPECT_EQ(PreviewLook(c, 2), tLook::Tile);
    }
    glass->Tick();
    EXPECT_EQ(Picture(1, 2), "..........|...####...");
    EXPECT_EQ(calls->updates.back(), "Ivan 1 1");

    TickUntilNextFigure();
    EXPECT_EQ(Picture(20, 20), "...FFFF...");
    EXPECT_EQ(PreviewLook(2, 2), tLook::Block) << "the S is next";
    EXPECT_EQ(glass->Stat().Label(tStatLabel::Time).Text(), "0:11");
    EXPECT_EQ(glass->Stat().Label(tStatLabel::Score).Text(), "19");
    EXPECT_EQ(glass->Stat().Label(tStatLabel::Figures).Text(), "2 [10,9/m]");
    EXPECT_EQ(sounds, std::vector<std::string>{"Drop"});
    EXPECT_EQ(ArrowTop(), 381);
}

TEST_F(GlassTest, EachKeyRunsTheActionsOfTheSlotsThatHoldIt) {
    StartWithTwoBars();
    glass->SetKey(1, 65);
    glass->SetKey(3, 65);
    glass->NewGame();
    glass->Tick();
    Press(65);
    EXPECT_EQ(PictureOf(glass->Current()), ".#..|.#..|.#..|.#..");
    EXPECT_EQ(glass->FigX(), 3) << "turned first, then moved left";
    EXPECT_EQ(glass->Stat().Label(tStatLabel::Keys).Text(), "2 [240,0/m]");
    Press(kUp);
    glass->SetKey(7, 0);
    Press(kCtrl);
    Press(0);
    EXPECT_EQ(glass->FigY(), -1);
    EXPECT_EQ(glass->Model().Counters().Keys, 2)
        << "the old code of slot 1, an unbound drop and code 0 do nothing";
}

TEST_F(GlassTest, AGameFollowsFromItsPlayerAndMomentAndTakesNoPressFasterThanAKeyRepeats) {
    StartWithTwoBars();
    glass->NewGame();
    const tGameRecord& record = glass->Model().Record();
    EXPECT_EQ(record.StartTime, "03.01.24 10:21:28");
    EXPECT_EQ(record.Seed, GameSeed("ivan", "03.01.24 10:21:28", {}));
    glass->Tick();
    Press(kLeft);
    glass->HandleKey(kLeft);
    EXPECT_EQ(glass->FigX(), kSpawnColumn - 1) << "the second press came at once and was not taken";
    ASSERT_EQ(record.Presses.size(), 1u);
    Press(kLeft);
    ASSERT_EQ(record.Presses.size(), 2u);
    EXPECT_EQ(glass->FigX(), kSpawnColumn - 2);
    EXPECT_GE(record.Presses[1].TimeMs - record.Presses[0].TimeMs, kFastestRepeatMs);
}

TEST_F(GlassTest, ADropShowsTheLandedFigureThenItsRowsGoAndTheSoundsFollowTheOption) {
    StartWithTwoBars();
    glass->SetShadow(false);
    glass->NewGame();
    glass->Tick();
    glass->SetUpWell(WellOf(19, {"#########.", "#########."}));
    glass->SetUpFigure(VerticalBar(), 9, -1);
    Press(kCtrl);
    EXPECT_EQ(Picture(17, 20), ".........F|.........F|FFFFFFFFFF|FFFFFFFFFF")
        << "landed, its rows still there";
    EXPECT_EQ(sounds, (std::vector<std::string>{"Drop"}));
    AwaitDropsEnd();
    EXPECT_EQ(sounds, (std::vector<std::string>{"Drop", "Lines"}));
    EXPECT_EQ(Picture(17, 20), "..........|..........|.........F|.........F");
    EXPECT_EQ(glass->Stat().Label(tStatLabel::Clears).Text().left(20), "x1: 0 [0,0/m]\n\rx2: 1");
    EXPECT_TRUE(glass->Timer().IsActive());
    EXPECT_TRUE(glass->Falling()) << "the next figure came at once";

    sounds.clear();
    glass->SetSounds(false);
    glass->SetUpWell(WellOf(20, {"#########."}));
    glass->SetUpFigure(VerticalBar(), 9, -1);
    Press(kCtrl);
    AwaitDropsEnd();
    EXPECT_EQ(glass->Model().Counters().Cleared, 3);
    EXPECT_TRUE(sounds.empty());
}

TEST_F(GlassTest, NothingOfAGameMovesWhileTheTableHoldsAMessageOpen) {
    StartWithTwoBars();
    glass->NewGame();
    TickUntilNextFigure();
    std::vector<bool> timerActive;
    const int figures = glass->Model().Counters().Figures;
    calls->whileTableBusy = [&] {
        timerActive.push_back(glass->Timer().IsActive());
        glass->Tick();
    };
    const std::string before = Picture(1, 20);
    glass->NewGame();
    EXPECT_EQ(glass->Model().Counters().PlayTime(), 0.0);
    EXPECT_EQ(glass->Model().Counters().Figures, 0);
    EXPECT_TRUE(glass->Playing());
    EXPECT_GT(figures, 0);
    EXPECT_NE(before, Picture(1, 20));

    glass->SetUpWell(WellOf(1, {"...####..."}));
    glass->Tick();
    EXPECT_FALSE(glass->Playing());
    EXPECT_EQ(calls->results.size(), 1u) << "the ended game is stored once";
    EXPECT_EQ(glass->Model().Counters().Figures, 0);
    EXPECT_EQ(timerActive, (std::vector<bool>{false, false})) << "NewGame's load, then the game over's save";
}

TEST_F(GlassTest, AGameOverHandsTheTableItsResultAndANewGameDropsTheOldOneUnrecorded) {
    StartWithTwoBars();
    glass->SetSettings({0, 0, 6, 2});
    glass->NewGame();
    for (int i = 0; i < 3; ++i) {
        glass->Tick();
    }
    glass->NewGame();
    EXPECT_TRUE(calls->results.empty());
    EXPECT_EQ(calls->loads.size(), 2u);
    EXPECT_EQ(glass->Model().Counters().Score, 0);

    glass->Tick();
    glass->SetUpWell(WellOf(2, std::vector<std::string>(19, "....#.....")));
    glass->SetUpFigure(glass->Model().FigureTable()[3], 4, -1);
    glass->Tick();
    EXPECT_FALSE(glass->Playing());
    EXPECT_FALSE(glass->Timer().IsActive());
    EXPECT_EQ(glass->View().MessageLabel().Text(), ":: Game Over ::\n\rPress F2 for new game");
    EXPECT_TRUE(glass->View().MessageLabel().isVisibleTo(panel.get()));
    EXPECT_EQ(Picture(1, 2), "....FF....|....F.....");
    EXPECT_EQ(ArrowTop(), 1);
    EXPECT_EQ(calls->updates.back(), "Ivan 6 0") << "the final live entry";
    ASSERT_EQ(calls->results.size(), 1u);
    const tHS& result = calls->results[0];
    EXPECT_EQ(result.StartTime, glass->Model().StartTime());
    EXPECT_EQ(result.StartLevel, "6");
    EXPECT_EQ(result.BrokenLines, "2");
    EXPECT_EQ(result.Figures, "1 [75,0/m]") << "one figure in two ticks of 400 ms";
    EXPECT_EQ(result.PlayTime, "0:00");
    EXPECT_EQ(result.Cleared, "0 [0,0/m]");
}

TEST_F(GlassTest, TheRealTimerDrivesTheGameAndStopsWithIt) {
    glass->SetSettings({0, 3, 10, 0});
    glass->NewGame();
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return glass->Model().Counters().Figures >= 1 && glass->FigY() >= 2; }, 5000));
    glass->SetPause(true);
    const int y = glass->FigY();
    QTest::qWait(60);
    EXPECT_EQ(glass->FigY(), y);
    glass->StopGame(true);
    EXPECT_FALSE(glass->Timer().IsActive());
}
