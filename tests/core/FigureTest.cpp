// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/uFigureSet.h"
#include "core/uRandom.h"

#include <gtest/gtest.h>
#include <map>
#include <vector>

namespace {

// Every orientation each figure passes through under clockwise turns, starting from the initial one.
const std::vector<std::vector<std::string>> kOrientations = {
    {"....|....|####|....", ".#..|.#..|.#..|.#.."},
    {"....|..#.|###.|....", "#...|#...|##..|....", "###.|#...|....|....", ".##.|..#.|..#.|...."},
    {"....|###.|..#.|....", "....|..#.|..#.|.##.", "....|....|#...|###.", "....|##..|#...|#..."},
    {"....|.##.|.##.|...."},
    {"....|###.|.#..|....", ".#..|##..|.#..|....", ".#..|###.|....|....", ".#..|.##.|.#..|...."},
    {"....|##..|.##.|....", ".#..|##..|#...|...."},
    {"....|.##.|##..|....", "....|.#..|.##.|..#."},
    {"....|....|###.|....", "....|.#..|.#..|.#.."},
    {"....|.#..|.##.|....", "....|.##.|.#..|....", "....|.##.|..#.|....", "....|..#.|.##.|...."},
    {"....|....|.##.|....", "....|.#..|.#..|...."},
    {"....|....|.#..|...."},
};

int Blocks(const tFigure& figure) {
    int n = 0;
    for (int c = 1; c <= 4; ++c) {
        for (int r = 1; r <= 4; ++r) {
            n += IsBlock(figure, c, r) ? 1 : 0;
        }
    }
    return n;
}

} // namespace

TEST(FigureTable, HoldsTheElevenFiguresWithTheirBoxesAndToggles) {
    tFigureTable table;
    BuildFigureTable(table);
    const int boxKinds[] = {0, 1, 2, 0, 1, 1, 2, 2, 0, 0, 2};
    const bool toggles[] = {true, false, false, false, false, true, true, false, false, true, false};
    const int blocks[] = {4, 4, 4, 4, 4, 4, 4, 3, 3, 2, 1};
    for (int n = 0; n < kFigureKinds; ++n) {
        SCOPED_TRACE(n + 1);
        EXPECT_EQ(PictureOf(table[n]), kOrientations[n][0]);
        EXPECT_EQ(table[n].BoxKind, boxKinds[n]);
        EXPECT_EQ(table[n].Toggle != 0, toggles[n]);
        EXPECT_EQ(table[n].ToggleState, 0);
        EXPECT_EQ(Blocks(table[n]), blocks[n]);
    }
}

TEST(FigureTurning, ClockwiseTurnsPassThroughEveryOrientationInOrderAndComeBack) {
    tFigureTable table;
    BuildFigureTable(table);
    for (int n = 0; n < kFigureKinds; ++n) {
        SCOPED_TRACE(n + 1);
        const auto& expected = kOrientations[n];
        tFigure figure = table[n];
        for (size_t step = 0; step < 8; ++step) {
            EXPECT_EQ(PictureOf(figure), expected[step % expected.size()]) << "after " << step << " turns";
            figure = TurnFigure(figure, -1);
        }
    }
}

TEST(FigureTurning, CounterClockwiseTurnsRunBackwardsAndTogglingFiguresAlternateEitherWay) {
    tFigureTable table;
    BuildFigureTable(table);
    for (int n = 0; n < kFigureKinds; ++n) {
        SCOPED_TRACE(n + 1);
        const auto& expected = kOrientations[n];
        const size_t count = expected.size();
        tFigure figure = table[n];
        for (size_t step = 1; step <= 8; ++step) {
            figure = TurnFigure(figure, 1);
            // A toggling figure flips whichever way it is turned; the others walk the list backwards.
            const size_t index = table[n].Toggle != 0 ? step % 2 : (count - step % count) % count;
            EXPECT_EQ(PictureOf(figure), expected[index]) << "after " << step << " turns";
        }
    }
    tFigure bar = table[0];
    bar = TurnFigure(bar, 1);
    EXPECT_EQ(bar.ToggleState, 1);
    bar = TurnFigure(bar, -1);
    EXPECT_EQ(bar.ToggleState, 0);
    EXPECT_EQ(PictureOf(bar), kOrientations[0][0]);
    // A mixed sequence of keys still only alternates.
    tFigure z = table[5];
    for (const int direction : {-1, 1, 1, -1, -1}) {
        z = TurnFigure(z, direction);
    }
    EXPECT_EQ(PictureOf(z), kOrientations[5][1]);
    const tFigure square = TurnFigure(table[3], -1);
    EXPECT_EQ(square.BoxKind, 0);
    EXPECT_EQ(PictureOf(square), kOrientations[3][0]);
}

TEST(RandomGenerator, ReplaysFixedSequencesFromASeed) {
    tRandom random(0);
    const int sevens[] = {0, 0, 6, 1, 1, 4, 2, 1, 2, 2, 0, 3};
    for (const int expected : sevens) {
        EXPECT_EQ(random.Below(7), expected);
    }
    EXPECT_EQ(random.State(), 2039224980u);

    random.Seed(0xDEADBEEF);
    const int elevens[] = {4, 1, 6, 6, 10, 9, 5, 8, 10, 7, 10, 5};
    for (const int expected : elevens) {
        EXPECT_EQ(random.Below(11), expected);
    }

    random.Seed(12345);
    const int hundreds[] = {38, 28, 7, 55, 63, 34, 43, 7};
    for (const int expected : hundreds) {
        EXPECT_EQ(random.Below(100), expected);
    }
    EXPECT_EQ(random.State(), 340655249u);
}

TEST(RandomFigure, StandardGamesDrawSevenFiguresAndExtendedGamesAllElevenEvenly) {
    tFigureTable table;
    BuildFigureTable(table);
    tRandom random(2024);
    std::map<std::string, int> standard;
    for (int i = 0; i < 7000; ++i) {
        ++standard[PictureOf(RandomFigure(table, kStandardFigures, random))];
    }
    EXPECT_EQ(standard.size(), 7u);
    for (int n = 7; n < kFigureKinds; ++n) {
        EXPECT_EQ(standard.count(PictureOf(table[n])), 0u) << n + 1;
    }

    std::map<std::string, int> extended;
    const int draws = 110000;
    for (int i = 0; i < draws; ++i) {
        ++extended[PictureOf(RandomFigure(table, kFigureKinds, random))];
    }
    ASSERT_EQ(extended.size(), 11u);
    for (const auto& [picture, count] : extended) {
        EXPECT_NEAR(count, draws / 11, draws / 11 / 20) << picture;
    }
}
