// SPDX-License-Identifier: GPL-3.0-or-later
#include "GlassProbe.h"
#include "engine/uHSPanel.h"

#include <QPainter>
#include <QTest>

TEST_F(GlassTest, CreatesItsPicturesAtTheirPlacesAndWaitsIdleWithTheNewGameMessage) {
    auto& view = glass->View();
    EXPECT_EQ(view.WellImage().geometry(), QRect(121, 0, 202, 401));
    EXPECT_EQ(view.PreviewImage().geometry(), QRect(21, 45, 80, 80));
    EXPECT_EQ(ArrowTop(), 381) << "beside row 20 of an empty well";
    EXPECT_EQ(view.ArrowImage().geometry(), QRect(323, 381, 19, 18));
    EXPECT_EQ(view.MessageLabel().geometry(), QRect(122, 179, 200, 42));
    ASSERT_NE(glass->ScorePanel(), nullptr);
    EXPECT_EQ(glass->ScorePanel()->parentWidget(), panel.get());
    EXPECT_EQ(glass->ScorePanel()->geometry(), QRect(350, 27, 230, 342));
    EXPECT_EQ(view.WellImage().parentWidget(), panel.get());
    EXPECT_EQ(view.MessageLabel().Text(), "Press F2 for new game");
    EXPECT_TRUE(view.MessageLabel().isVisibleTo(panel.get()));
    EXPECT_TRUE(view.MessageLabel().font().bold());
    EXPECT_EQ(glass->MessageState(), tWellMessage::NewGame);
    EXPECT_FALSE(glass->Playing());
    EXPECT_FALSE(glass->Paused());
    EXPECT_FALSE(glass->Timer().IsActive()) << "no timer runs while no game runs";
    EXPECT_EQ(glass->Timer().Interval(), 500);

    for (int row = 1; row <= kWellRows; ++row) {
        for (int column = 1; column <= kWellColumns; ++column) {
            ASSERT_EQ(CellLook(column, row), tLook::Tile) << column << "," << row;
        }
    }
    const QImage& well = view.WellImage().Image();
    const QRgb border = ColorToRgb(testcolor::Border);
    EXPECT_EQ(well.pixel(0, 200), border);
    EXPECT_EQ(well.pixel(201, 200), border);
    EXPECT_EQ(well.pixel(100, 400), border);
    EXPECT_EQ(view.ArrowImage().Image().pixel(9, 9), ColorToRgb(testcolor::Arrow));
    for (int c = 1; c <= 4; ++c) {
        for (int r = 1; r <= 4; ++r) {
            EXPECT_EQ(PreviewLook(c, r), tLook::Tile);
        }
    }

    // The panel shows what the pictures hold.
    panel->show();
    const QImage shown = panel->grab().toImage();
    EXPECT_EQ(shown.pixel(121 + 15, 15) | 0xFF000000u, ColorToRgb(testcolor::Tile));
    EXPECT_EQ(shown.pixel(121, 200) | 0xFF000000u, border);
}

TEST_F(GlassTest, PauseHidesThePileAndResumeRedrawsItWithTheFigure) {
    StartWithTwoBars();
    glass->NewGame();
    glass->SetUpWell(WellOf(20, {"#........."}));
    glass->SetPause(true);
    glass->SetPause(false);
    EXPECT_FALSE(glass->Falling()) << "paused before the first figure: none is drawn on resume";
    EXPECT_EQ(Picture(1, 2), "..........|..........");
    glass->Tick();
    EXPECT_EQ(glass->Model().Counters().Figures, 1);

    glass->Tick();
    const std::string before = Picture(1, 20);
    glass->SetPause(true);
    EXPECT_TRUE(glass->Paused());
    EXPECT_FALSE(glass->Timer().IsActive());
    EXPECT_EQ(glass->MessageState(), tWellMessage::Pause);
    EXPECT_EQ(glass->View().MessageLabel().Text(), ":: Pause ::");
    EXPECT_TRUE(glass->View().MessageLabel().isVisibleTo(panel.get()));
    EXPECT_EQ(Picture(1, 20).find_first_not_of(".|"), std::string::npos) << "the pile is hidden";
    EXPECT_EQ(glass->Well().At(1, 20), 1);
    Press(kLeft);
    glass->Tick();
    EXPECT_EQ(glass->FigY(), 0) << "nothing moves while paused";
    EXPECT_FALSE(glass->Timer().IsActive());
    EXPECT_EQ(glass->Model().Counters().Keys, 0);

    glass->SetPause(false);
    EXPECT_TRUE(glass->Timer().IsActive());
    EXPECT_FALSE(glass->View().MessageLabel().isVisibleTo(panel.get()));
    EXPECT_EQ(Picture(1, 20), before);

    glass->StopGame(true);
    EXPECT_EQ(glass->MessageState(), tWellMessage::Interrupted);
    EXPECT_EQ(glass->View().MessageLabel().Text(), ":: Game Interrupted ::\n\rPress F2 for new game");
    EXPECT_TRUE(calls->results.empty()) << "an interrupted game is not recorded";
    EXPECT_FALSE(calls->playing.back()) << "the table hears the game ended";
    EXPECT_EQ(calls->loads.size(), 2u) << "the table is reloaded without the game";
    glass->SetPause(false);
    EXPECT_TRUE(glass->Paused()) << "no pause or resume without a game";
}

TEST_F(GlassTest, ClicksOnTheWellStartPauseAndResume) {
    panel->show();
    QTest::mouseClick(&glass->View().WellImage(), Qt::LeftButton);
    EXPECT_TRUE(glass->Playing());
    QTest::mouseClick(&glass->View().WellImage(), Qt::LeftButton);
    EXPECT_TRUE(glass->Paused());
    QTest::mouseClick(&glass->View().MessageLabel(), Qt::LeftButton);
    EXPECT_FALSE(glass->Paused());
    EXPECT_TRUE(glass->Playing());
}

TEST_F(GlassTest, TheLandingMarkNeverCoversTheFigureAndFollowsTheShadowOption) {
    StartWithTwoBars();
    glass->NewGame();
    glass->Tick();
    glass->SetUpWell(WellOf(10, {"....#....."}));
    glass->SetUpFigure(VerticalBar(), 3, 5); // column 4, rows 5 to 8
    Press(kRight);                           // over column 5, where it can fall only one row
    EXPECT_EQ(Picture(4, 10), "..........|....#.....|....#.....|....#.....|....#.....|....o.....|....F.....");
    Press(kLeft);
    EXPECT_EQ(Picture(5, 9), "...#......|...#......|...#......|...#......|..........");
    EXPECT_EQ(Picture(17, 20), "...o......|...o......|...o......|...o......");

    glass->SetShadow(false);
    Press(kLeft);
    EXPECT_EQ(Picture(17, 20), "..........|..........|..........|..........")
        << "the mark goes with its next move";
    EXPECT_EQ(Picture(5, 5), "..#.......");
    TickUntilNextFigure();
    EXPECT_EQ(Picture(17, 20), "..F.......|..F.......|..F.......|..F.......");
    EXPECT_EQ(Picture(1, 20).find('o'), std::string::npos) << "no mark for the new figure";
}

TEST_F(GlassTest, FixedBlocksTakeTheLookChosenWhenTheyAreDrawn) {
    StartWithTwoBars();
    glass->SetShadow(false);
    glass->NewGame();
    glass->Tick();
    glass->SetUpWell(
        WellOf(15, {"....#.....", "..........", "..........", "..........", "#.........", "#########."}));
    glass->SetShowFix(false);
    glass->SetUpFigure(VerticalBar(), 9, -1);
    Press(kCtrl);
    AwaitDropsEnd();
    // Row 20 went; the rows up to the empty one moved down and were drawn with the plain block.
    EXPECT_EQ(Picture(15, 20), "....F.....|..........|..........|.........#|.........#|#........#");
    glass->SetShowFix(true);
    glass->SetPause(true);
    glass->SetPause(false);
    EXPECT_EQ(Picture(15, 15), "....F.....");
    EXPECT_EQ(Picture(20, 20), "F........F") << "resume draws every fixed block anew";
}

TEST_F(GlassTest, ApplyingTheSkinRedrawsTilesCellByCellAndKeepsThePreviewFigure) {
    StartWithTwoBars();
    glass->NewGame();
    glass->Tick();
    const tFigure next = glass->NextFigure();
    QImage background(200, 400, QImage::Format_RGB32);
    for (int c = 1; c <= 10; ++c) {
        for (int r = 1; r <= 20; ++r) {
            QPainter(&background).fillRect((c - 1) * 20, (r - 1) * 20, 20, 20, QColor(c * 20, r * 10, 77));
        }
    }
    SkinSettings.Glass.btmGlass = tBitmap{background, false, 0};
    SkinSettings.Glass.btmBlock = tBitmap{SolidImage(20, 20, 0x123456), false, 0};
    SkinSettings.Panel_Game.clrPanel = 0x654321;
    ApplySkin();
    const QImage& well = glass->View().WellImage().Image();
    for (int c = 1; c <= 10; ++c) {
        for (int r = 1; r <= 20; ++r) {
            ASSERT_EQ(well.pixel(20 * c - 19 + 3, 20 * r - 20 + 17), qRgb(c * 20, r * 10, 77))
                << c << "," << r;
        }
    }
    EXPECT_EQ(PictureOf(glass->NextFigure()), PictureOf(next));
    const QImage& preview = glass->View().PreviewImage().Image();
    for (int c = 1; c <= 4; ++c) {
        for (int r = 1; r <= 4; ++r) {
            const QRgb expected = IsBlock(next, c, r) ? ColorToRgb(0x123456) : ColorToRgb(0x654321);
            EXPECT_EQ(preview.pixel((c - 1) * 20 + 5, (r - 1) * 20 + 5), expected) << c << "," << r;
        }
    }
    // The figure in play is drawn with the new block from its next move on.
    glass->Tick();
    EXPECT_EQ(well.pixel(20 * 4 - 19 + 5, 20 + 5), ColorToRgb(0x123456));
}

TEST_F(GlassTest, TheMessageFollowsALanguageChange) {
    const int slot = LanguageSlot("s1201");
    LanguageTable.texts[static_cast<size_t>(slot)] = "F2 - nova igra";
    ApplyLanguage();
    EXPECT_EQ(glass->View().MessageLabel().Text(), "F2 - nova igra");
    glass->NewGame();
    glass->StopGame(true);
    EXPECT_EQ(glass->View().MessageLabel().Text(), ":: Game Interrupted ::\n\rF2 - nova igra");
    LoadDefaultLanguage();
    EXPECT_EQ(glass->View().MessageLabel().Text(), ":: Game Interrupted ::\n\rPress F2 for new game");
}
