// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/uGameModel.h"
#include "core/uGameReplay.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <string>
#include <vector>

namespace {

constexpr tGameSettings kEasy{};
constexpr const char* kStart = "09.12.26 21:00:00";

// The well as text: '#' the falling figure, 'o' its landing mark, 'F' a fixed block, '.' empty; rows from the
// top, separated by '|'. Without the figure, only the fixed blocks.
std::string Picture(const tGameModel& game, int firstRow, int lastRow, bool figure = true) {
    std::string text;
    for (int row = firstRow; row <= lastRow; ++row) {
        if (row > firstRow) {
            text += '|';
        }
        for (int column = 1; column <= kWellColumns; ++column) {
            char c = game.Well().At(column, row) != 0 ? 'F' : '.';
            if (figure && game.Falling() && game.FigureCovers(column, row)) {
                c = '#';
            } else if (figure && game.Falling() && game.MarkCovers(column, row)) {
                c = 'o';
            }
            text += c;
        }
    }
    return text;
}

// Rows from the given row down: '#' a fixed block.
tWell WellOf(int firstRow, const std::vector<std::string>& rows) {
    tWell well;
    for (size_t i = 0; i < rows.size(); ++i) {
        for (int column = 1; column <= kWellColumns; ++column) {
            well.Set(column, firstRow + static_cast<int>(i), rows[i][static_cast<size_t>(column - 1)] == '#');
        }
    }
    return well;
}

std::vector<tGameSound> Sounds(const tChanges& changes) {
    return {changes.Sounds.begin(), changes.Sounds.begin() + changes.SoundCount};
}

tFigure VerticalBar(const tGameModel& game) {
    return TurnFigure(game.FigureTable()[0], -1);
}

// Ticks until the falling figure has landed and the next one is in play, or the game has ended.
tChanges TickUntilNextFigure(tGameModel& game) {
    tChanges all;
    const int figures = game.Counters().Figures;
    for (int i = 0; i < 100 && game.Playing() && game.Counters().Figures == figures; ++i) {
        all |= game.Tick();
    }
    return all;
}

// A game with a vertical bar over column 10 and the given rows below it, shadow and all.
tGameModel BarOverRows(int firstRow, const std::vector<std::string>& rows) {
    tGameModel game;
    game.NewGame(kEasy, 0, kStart);
    game.Tick();
    game.SetUpWell(WellOf(firstRow, rows));
    game.SetUpFigure(VerticalBar(game), 9, -1);
    return game;
}

} // namespace

TEST(GameModel, ANewGameWaitsOneTickThenBringsTwoConsecutiveDrawsAndFallsScoringARowATime) {
    tGameModel game;
    const tChanges start = game.NewGame(kEasy, 0, kStart);
    EXPECT_TRUE(game.Playing());
    EXPECT_EQ(start.Timer, tTimerChange::Start);
    EXPECT_TRUE(start.Interval);
    EXPECT_EQ(game.Interval(), 500);
    EXPECT_FALSE(game.MessageVisible());
    EXPECT_FALSE(game.Falling());
    EXPECT_EQ(game.StartTime(), kStart);

    // Seed 0 draws 0, 0, 6: two bars of four, then the S.
    const tChanges first = game.Tick();
    EXPECT_TRUE(first.Preview);
    EXPECT_TRUE(first.Cells.Contains(4, 1) && first.Cells.Contains(7, 20));
    EXPECT_EQ(game.Counters().Figures, 1);
    EXPECT_EQ(PictureOf(game.Current()), "....|....|####|....");
    EXPECT_EQ(PictureOf(game.Next()), "....|....|####|....");
    EXPECT_EQ(Picture(game, 1, 1), "...####...");
    EXPECT_EQ(Picture(game, 20, 20), "...oooo...");

    const tChanges step = game.Tick();
    EXPECT_TRUE(step.Scored);
    EXPECT_EQ(game.Counters().Score, 1) << "a row down by the timer scores 1";
    EXPECT_TRUE(step.Cells.Contains(4, 1) && step.Cells.Contains(4, 2));
    EXPECT_FALSE(step.Cells.Contains(4, 20)) << "the mark stays where it is";

    const tChanges landing = TickUntilNextFigure(game);
    EXPECT_EQ(Sounds(landing), std::vector<tGameSound>{tGameSound::Drop});
    EXPECT_EQ(PictureOf(game.Next()), "....|.##.|##..|....");
    EXPECT_EQ(Picture(game, 20, 20), "...FFFF...");
    EXPECT_EQ(game.Counters().Score, 19);
    // One spawn tick, 19 moves, the landing tick and the spawn right after it: 22 intervals of 500 ms, of
    // which the timer's own ticks took 21.
    EXPECT_EQ(game.Counters().PlayTimeMs, 11000);
    EXPECT_EQ(game.Counters().TickedMs, 10500);
    EXPECT_EQ(game.ArrowRow(), 20);
}

TEST(GameModel, SidewaysMovesAndTurnsAreCountedAndCarryTheMarkWithThem) {
    tGameModel game;
    game.NewGame(kEasy, 0, kStart);
    EXPECT_FALSE(game.Act(tAction::MoveLeft).Counters) << "keys do nothing before a figure falls";
    game.Tick();

    game.Act(tAction::RotateRight);
    EXPECT_EQ(PictureOf(game.Current()), ".#..|.#..|.#..|.#..");
    EXPECT_EQ(Picture(game, 17, 20), "....o.....|....o.....|....o.....|....o.....");
    for (int i = 0; i < 5; ++i) {
        game.Act(tAction::MoveRight);
    }
    EXPECT_EQ(game.FigX(), 9);
    EXPECT_EQ(Picture(game, 20, 20), ".........o");
    EXPECT_EQ(game.Counters().Keys, 6);
    game.Act(tAction::MoveRight);
    EXPECT_EQ(game.Counters().Keys, 6) << "a refused move is not counted";
    game.Act(tAction::RotateRight);
    EXPECT_EQ(PictureOf(game.Current()), ".#..|.#..|.#..|.#..") << "no kick away from the wall";
    EXPECT_EQ(game.Counters().Keys, 7) << "a refused turn is still counted";
    game.Press(ActionBit(tAction::RotateRight) | ActionBit(tAction::RotateLeft), 0);
    EXPECT_EQ(game.Counters().Keys, 8) << "one key in both turn slots counts once";

    game.Act(tAction::MoveDown);
    EXPECT_EQ(game.Counters().Score, 2);
    game.Act(tAction::QMoveDown);
    EXPECT_EQ(game.FigY(), 17);
    EXPECT_EQ(game.Counters().Score, 2 + 17 * 3);
    EXPECT_EQ(game.Counters().Keys, 10);
    EXPECT_TRUE(game.Falling()) << "not fixed until the next tick";
    for (const tAction action : {tAction::MoveDown, tAction::QMoveDown, tAction::Drop}) {
        game.Act(action);
    }
    EXPECT_EQ(game.Counters().Score, 53) << "nothing moves a figure at rest down";
    EXPECT_EQ(game.Counters().Keys, 10);
}

TEST(GameModel, AKeyInTwoSlotsRunsBothActionsInSlotOrder) {
    tGameModel game;
    game.NewGame(kEasy, 0, kStart);
    game.Tick();
    game.Press(ActionBit(tAction::RotateRight) | ActionBit(tAction::MoveLeft), 0);
    EXPECT_EQ(PictureOf(game.Current()), ".#..|.#..|.#..|.#..");
    EXPECT_EQ(game.FigX(), 3) << "turned first, then moved left";
    EXPECT_EQ(game.Counters().Keys, 2);
}

TEST(GameModel, QuickDownRestartsThePeriodAndLeavesTheFigureMovableUntilTheNextTick) {
    tGameModel game;
    game.NewGame(kEasy, 0, kStart);
    game.Tick();
    game.SetUpWell(WellOf(17, {"..........", ".....#....", "...####...", "...####..."}));
    game.SetUpFigure(game.FigureTable()[3], 4, -1); // the square over columns 5 and 6
    EXPECT_EQ(game.Act(tAction::QMoveDown).Timer, tTimerChange::Start);
    EXPECT_EQ(game.FigY(), 15) << "resting on the block in row 18";
    game.Act(tAction::MoveRight);
    game.Act(tAction::MoveRight);
    game.Tick();
    EXPECT_EQ(game.FigY(), 16) << "the timer lets it fall further after the move";
    TickUntilNextFigure(game);
    EXPECT_EQ(game.Well().At(7, 18), 1);
    EXPECT_EQ(game.Well().At(8, 17), 1);
}

TEST(GameModel, DropShowsTheLandedFigureThenScoresItsRowsAndBringsTheNextFigureAtOnce) {
    tGameModel game = BarOverRows(16, {"#.........", "#########.", "#########.", "#########.", "#########."});
    const tChanges drop = game.Act(tAction::Drop);
    const int dropped = 18 * 3 + 10;
    EXPECT_TRUE(drop.DropShown);
    EXPECT_EQ(drop.Timer, tTimerChange::DropPause);
    EXPECT_EQ(Sounds(drop), std::vector<tGameSound>{tGameSound::Drop});
    EXPECT_EQ(Picture(game, 17, 20), "FFFFFFFFFF|FFFFFFFFFF|FFFFFFFFFF|FFFFFFFFFF")
        << "fixed, its rows not yet removed";
    EXPECT_EQ(game.Counters().Score, dropped);
    EXPECT_EQ(game.Counters().Keys, 1);

    const tChanges finish = game.FinishDrop();
    EXPECT_EQ(Sounds(finish), std::vector<tGameSound>{tGameSound::Lines});
    EXPECT_EQ(game.Counters().Score, dropped + 100 + 200 + 300 + 400);
    EXPECT_EQ(game.Counters().Cleared, 4);
    EXPECT_EQ(game.Counters().Clears, (std::array<int, 4>{0, 0, 0, 1}));
    EXPECT_EQ(Picture(game, 17, 20, false), "..........|..........|..........|F.........");
    EXPECT_EQ(game.ArrowRow(), 20);
    EXPECT_EQ(game.Counters().Figures, 2) << "the next figure came without waiting for the timer";
    EXPECT_EQ(finish.Timer, tTimerChange::Start);
    EXPECT_EQ(game.FigY(), -1);
}

TEST(GameModel, TheScanOfALandedBoxPassesOverANonFullRowAndLeavesFullRowsOutsideIt) {
    tGameModel game = BarOverRows(18, {"#########.", "########..", "#########."});
    game.Act(tAction::Drop);
    game.FinishDrop();
    EXPECT_EQ(game.Counters().Score, 18 * 3 + 10 + 100 + 200);
    EXPECT_EQ(game.Counters().Clears[1], 1);
    EXPECT_EQ(Picture(game, 18, 20, false), "..........|.........F|FFFFFFFF.F");

    tGameModel full = BarOverRows(20, {"##########"});
    full.SetUpFigure(VerticalBar(full), 0, -1);
    full.Act(tAction::Drop);
    full.FinishDrop();
    EXPECT_TRUE(full.Well().RowIsFull(20)) << "row 20 lies below the bar's box";
    EXPECT_EQ(full.ArrowRow(), 16);
    full.SetUpFigure(full.FigureTable()[3], 6, -1); // the square over columns 7 and 8, box row 4 empty
    full.Act(tAction::Drop);
    full.FinishDrop();
    EXPECT_EQ(full.Counters().Cleared, 1);
    EXPECT_EQ(Picture(full, 17, 20, false), "F.........|F.........|F.....FF..|F.....FF..");
}

TEST(GameModel, BrokenLinesAreLaidFromTheFloorUpWithTheGamesGenerator) {
    tGameModel game;
    game.NewGame({0, 0, 1, 3}, 42, kStart);
    EXPECT_EQ(Picture(game, 17, 20), "..........|FF.....FFF|F...FFF..F|.F...FF.FF");
    EXPECT_EQ(game.ArrowRow(), 18);

    tGameModel again;
    again.NewGame({0, 0, 1, 3}, 42, kStart);
    EXPECT_EQ(Picture(again, 18, 20), Picture(game, 18, 20));
    again.ResetWell(3);
    EXPECT_NE(Picture(again, 18, 20), Picture(game, 18, 20)) << "the generator has gone on";
    EXPECT_TRUE(again.Playing()) << "resetting the well does not stop the game";
    EXPECT_EQ(again.Message(), tWellMessage::NewGame);
}

TEST(GameModel, LevelsRiseWithTheFiguresOfTheDifficultyAndSpeedUpToOneMillisecond) {
    const auto playUntil = [](tGameModel& game, int figures) {
        while (game.Playing() && game.Counters().Figures < figures) {
            game.SetUpWell(tWell{});
            game.Tick();
        }
    };
    tGameModel easy;
    easy.NewGame(kEasy, 7, kStart);
    playUntil(easy, 49);
    EXPECT_EQ(easy.Counters().Level, 1);
    playUntil(easy, 50);
    EXPECT_EQ(easy.Counters().Level, 2);
    EXPECT_EQ(easy.Interval(), 480);
    playUntil(easy, 100);
    EXPECT_EQ(easy.Counters().Level, 3);
    EXPECT_EQ(easy.Interval(), 460);

    tGameModel impossible;
    impossible.NewGame({0, 3, 10, 0}, 7, kStart);
    EXPECT_EQ(impossible.Interval(), 20);
    playUntil(impossible, 19);
    EXPECT_EQ(impossible.Counters().Level, 10);
    playUntil(impossible, 20);
    EXPECT_EQ(impossible.Counters().Level, 11);
    EXPECT_EQ(impossible.Interval(), 1);
}

TEST(GameModel, AFigureThatCannotEnterEndsTheGameUndrawn) {
    tGameModel game;
    game.NewGame(kEasy, 0, kStart);
    game.SetUpWell(WellOf(1, {"...####..."}));
    const tChanges end = game.Tick();
    EXPECT_TRUE(end.GameOver);
    EXPECT_TRUE(end.Scored) << "the final score goes to the table";
    EXPECT_EQ(end.Timer, tTimerChange::Stop);
    EXPECT_FALSE(game.Playing());
    EXPECT_TRUE(game.Paused());
    EXPECT_EQ(game.Message(), tWellMessage::GameOver);
    EXPECT_TRUE(game.MessageVisible());
    EXPECT_EQ(game.Counters().Figures, 0);
    EXPECT_EQ(Picture(game, 1, 1), "...FFFF...");
    EXPECT_EQ(end.SoundCount, 0);

    EXPECT_FALSE(game.StopGame(true).Interrupted) << "nothing to stop";
    game.ResetWell(0);
    EXPECT_EQ(game.Message(), tWellMessage::NewGame);
    EXPECT_EQ(Picture(game, 1, 1), "..........");
}

TEST(GameModel, ABlockComingToRestAboveTheWellEndsTheGameButTheRestIsStored) {
    tGameModel game;
    game.NewGame({0, 0, 6, 0}, 0, kStart);
    game.Tick();
    game.SetUpWell(WellOf(2, std::vector<std::string>(19, "....#.....")));
    game.SetUpFigure(game.FigureTable()[3], 4, -1);
    const tChanges end = game.Tick();
    EXPECT_TRUE(end.GameOver);
    EXPECT_EQ(Sounds(end), std::vector<tGameSound>{tGameSound::Drop});
    EXPECT_EQ(Picture(game, 1, 2), "....FF....|....F.....");
    EXPECT_EQ(game.ArrowRow(), 1);
    EXPECT_EQ(game.Counters().PlayTimeMs, 800) << "two ticks of 400 ms, none after the end";
}

TEST(GameModel, APausedGameIgnoresLateTicksAndEscapeEndsItAsInterrupted) {
    tGameModel game;
    game.NewGame(kEasy, 0, kStart);
    const tChanges pause = game.SetPause(true);
    EXPECT_EQ(pause.Timer, tTimerChange::Stop);
    EXPECT_EQ(game.Message(), tWellMessage::Pause);
    EXPECT_EQ(game.Tick().Timer, tTimerChange::Stop) << "a late tick of a paused game only stops the timer";
    EXPECT_FALSE(game.Falling());
    EXPECT_TRUE(game.MessageVisible());
    const tChanges resume = game.SetPause(false);
    EXPECT_TRUE(resume.Message);
    EXPECT_FALSE(game.MessageVisible()) << "the pause's message goes with it";
    EXPECT_FALSE(game.Falling()) << "no figure before the first tick";
    game.Tick();
    game.SetPause(true);
    const tChanges stop = game.StopGame(true);
    EXPECT_TRUE(stop.Interrupted);
    EXPECT_FALSE(stop.GameOver);
    EXPECT_FALSE(stop.Scored);
    EXPECT_EQ(game.Message(), tWellMessage::Interrupted);
}

TEST(GameModel, NewGameDuringAGameDropsItAndTheSameSeedPlaysTheSameGame) {
    const auto play = [](tGameModel& game, uint32_t seed, int rounds) {
        game.NewGame({1, 2, 3, 5}, seed, kStart);
        const tAction script[] = {tAction::MoveLeft,  tAction::RotateRight, tAction::Drop,
                                  tAction::MoveRight, tAction::QMoveDown,   tAction::RotateLeft,
                                  tAction::Drop,      tAction::MoveLeft,    tAction::Drop};
        std::string trace;
        for (int round = 0; round < rounds && game.Playing(); ++round) {
            for (const tAction action : script) {
                if (!game.Falling()) {
                    game.Tick();
                }
                trace += PictureOf(game.Current()) + ";";
                if (game.Act(action).DropShown) {
                    game.FinishDrop();
                }
            }
        }
        return trace + std::to_string(game.Counters().Score) + Picture(game, 1, 20);
    };
    tGameModel game;
    const std::string first = play(game, 99, 6);
    tGameModel other;
    play(other, 5, 2);
    EXPECT_EQ(play(other, 99, 6), first);
    EXPECT_EQ(other.Counters().Figures, game.Counters().Figures);
}

TEST(GameModel, EveryRecordedGameReplaysToTheSameEndAndPausesLeaveNoTrace) {
    tRandom player(7);
    int games = 0;
    for (int type = 0; type < static_cast<int>(kGameTypes.size()); ++type) {
        for (int difficulty = 0; difficulty < static_cast<int>(kDifficulties.size()); ++difficulty) {
            for (const int brokenLines : {0, 9}) {
                const tGameSettings settings{type, difficulty, 1 + games % kDifficulties[3].MaxStartLevel,
                                             brokenLines};
                tGameModel game;
                game.NewGame(settings, 1000u + static_cast<uint32_t>(games), kStart);
                for (int step = 0; step < 3000 && game.Playing(); ++step) {
                    const int roll = player.Below(20);
                    if (roll < 12) {
                        game.Tick();
                    } else if (roll == 12) {
                        game.SetPause(true);
                        game.Tick();
                        game.Press(ActionBit(tAction::Drop), 0);
                        game.SetPause(false);
                    } else if (game.Press(static_cast<tActionSet>(1u << player.Below(kActionCount)), 0)
                                   .DropShown) {
                        game.FinishDrop();
                    }
                }
                const tGameModel replayed = ReplayGame(game.Record());
                EXPECT_EQ(replayed.Record(), game.Record());
                EXPECT_EQ(Picture(replayed, 1, 20), Picture(game, 1, 20)) << games;
                EXPECT_EQ(replayed.Counters().Score, game.Counters().Score) << games;
                EXPECT_EQ(replayed.Counters().PlayTimeMs, game.Counters().PlayTimeMs) << games;
                EXPECT_EQ(replayed.Counters().Clears, game.Counters().Clears) << games;
                EXPECT_EQ(replayed.Counters().Keys, game.Counters().Keys) << games;
                EXPECT_EQ(PictureOf(replayed.Next()), PictureOf(game.Next())) << games;
                EXPECT_EQ(replayed.Playing(), game.Playing()) << games;
                ++games;
            }
        }
    }
}

TEST(GameModel, AnExtendedGameDrawsEveryFigureOfTheTable) {
    std::vector<bool> drawn(kFigureKinds);
    for (uint32_t seed = 0; seed < 400; ++seed) {
        tGameModel game;
        game.NewGame({1, 0, 1, 0}, seed, kStart);
        game.Tick();
        for (size_t kind = 0; kind < drawn.size(); ++kind) {
            const tFigure& entry = game.FigureTable()[kind];
            drawn[kind] = drawn[kind] || std::equal(&entry.Cells[0][0], &entry.Cells[0][0] + 16,
                                                    &game.Current().Cells[0][0]);
        }
    }
    EXPECT_EQ(std::count(drawn.begin(), drawn.end(), true), kFigureKinds);
}

TEST(GameModel, TicksInOneStepCountAsManyTicksAndAPressKeepsEveryActionItRan) {
    tGameModel stepped;
    tGameModel ticked;
    for (tGameModel* game : {&stepped, &ticked}) {
        game->NewGame({0, 1, 3, 2}, 5, kStart);
        game->Tick();
        const tActionSet both = ActionBit(tAction::RotateRight) | ActionBit(tAction::MoveLeft);
        game->Press(both, 7);
        EXPECT_EQ(game->Record().Presses.back().Actions, both);
    }
    for (int round = 0; round < 30 && stepped.Playing(); ++round) {
        stepped.Ticks(6);
        for (int i = 0; i < 6; ++i) {
            ticked.Tick();
        }
        ASSERT_EQ(stepped.Counters(), ticked.Counters()) << "round " << round;
        ASSERT_EQ(stepped.Well(), ticked.Well());
    }
    ASSERT_EQ(stepped.Counters().Level, 3);
    EXPECT_EQ(stepped.Counters().TickedMs, stepped.Record().Ticks * IntervalAt(1, 3))
        << "every tick of the timer, a figure's free fall too, adds its interval";
    EXPECT_EQ(ReplayGame(stepped.Record()).Counters(), stepped.Counters());
}
