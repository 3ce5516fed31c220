// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/uFigureSet.h"
#include "core/uRandom.h"
#include "core/uWell.h"

#include <gtest/gtest.h>
#include <string>

namespace {

std::string Row(const tWell& well, int row) {
    std::string text;
    for (int column = 1; column <= kWellColumns; ++column) {
        text += well.At(column, row) != 0 ? '#' : '.';
    }
    return text;
}

void SetRow(tWell& well, int row, const std::string& pattern) {
    for (int column = 1; column <= kWellColumns; ++column) {
        well.Set(column, row, pattern[static_cast<size_t>(column - 1)] == '#' ? 1 : 0);
    }
}

} // namespace

TEST(WellFits, WallsFloorAndPileStopAFigureButTheSpaceAboveIsFree) {
    tWell well;
    const tFigure bar = FigureFromPicture("....|....|####|....");
    const tFigure column = FigureFromPicture(".#..|.#..|.#..|.#..");
    EXPECT_TRUE(well.Fits(bar, 1, 1));
    EXPECT_FALSE(well.Fits(bar, 0, 1)) << "left wall";
    EXPECT_TRUE(well.Fits(bar, 7, 1));
    EXPECT_FALSE(well.Fits(bar, 8, 1)) << "right wall";
    EXPECT_TRUE(well.Fits(bar, 4, 18));
    EXPECT_FALSE(well.Fits(bar, 4, 19)) << "floor";
    // Empty box rows and columns may stick out of the well.
    EXPECT_TRUE(well.Fits(column, 0, 17));
    EXPECT_TRUE(well.Fits(column, 9, 17));
    EXPECT_FALSE(well.Fits(column, 10, 1));
    EXPECT_TRUE(well.Fits(column, 4, -10)) << "wholly above the well";
    EXPECT_TRUE(well.Fits(column, 4, -2));

    well.Set(5, 1, 1);
    EXPECT_FALSE(well.Fits(column, 4, -2)) << "lowest block on the pile";
    EXPECT_TRUE(well.Fits(column, 4, -3));
    EXPECT_TRUE(well.Fits(column, 5, -2));
}

TEST(WellRows, FullAndEmptyRowsAreFound) {
    tWell well;
    EXPECT_TRUE(well.RowIsEmpty(20));
    EXPECT_FALSE(well.RowIsFull(20));
    SetRow(well, 20, "#########.");
    EXPECT_FALSE(well.RowIsEmpty(20));
    EXPECT_FALSE(well.RowIsFull(20));
    SetRow(well, 20, "##########");
    EXPECT_TRUE(well.RowIsFull(20));
    well.Clear();
    EXPECT_TRUE(well.RowIsEmpty(20));
}

TEST(WellRemoveRow, RowsAboveMoveDownUntilTheFirstEmptyRow) {
    tWell well;
    SetRow(well, 20, "##########");
    SetRow(well, 19, "#.#.#.#.#.");
    SetRow(well, 18, ".#.#.#.#.#");
    SetRow(well, 17, "..........");
    SetRow(well, 16, "#.........");
    SetRow(well, 15, ".........#");
    EXPECT_EQ(well.RemoveRow(20), 17);
    EXPECT_EQ(Row(well, 20), "#.#.#.#.#.");
    EXPECT_EQ(Row(well, 19), ".#.#.#.#.#");
    EXPECT_EQ(Row(well, 18), "..........");
    EXPECT_EQ(Row(well, 17), "..........");
    EXPECT_EQ(Row(well, 16), "#.........") << "rows above the empty row keep their place";
    EXPECT_EQ(Row(well, 15), ".........#");

    tWell tall;
    for (int row = 1; row <= kWellRows; ++row) {
        SetRow(tall, row, row % 2 == 0 ? "#########." : ".#########");
    }
    EXPECT_EQ(tall.RemoveRow(10), 1) << "with no empty row the shift runs to the top";
    EXPECT_EQ(Row(tall, 1), "..........");
    EXPECT_EQ(Row(tall, 2), ".#########");
    EXPECT_EQ(Row(tall, 10), ".#########");
    EXPECT_EQ(Row(tall, 11), ".#########");
}

TEST(WellArrow, StandsBesideTheTopOfThePileOnTheFloor) {
    tWell well;
    EXPECT_EQ(well.ArrowRow(), 20) << "empty floor row";
    SetRow(well, 20, "#.........");
    SetRow(well, 19, ".#........");
    EXPECT_EQ(well.ArrowRow(), 19);
    SetRow(well, 10, "...#......");
    EXPECT_EQ(well.ArrowRow(), 19) << "blocks above an empty row do not count";
    for (int row = 1; row <= kWellRows; ++row) {
        SetRow(well, row, "#.........");
    }
    EXPECT_EQ(well.ArrowRow(), 1) << "no empty row";
}

TEST(WellBrokenLines, FillCellsFromTheFloorUpInTheGeneratorsOrder) {
    tWell well;
    tRandom random(42);
    well.LayBrokenLines(3, random);
    EXPECT_EQ(Row(well, 20), ".#...##.##");
    EXPECT_EQ(Row(well, 19), "#...###..#");
    EXPECT_EQ(Row(well, 18), "##.....###");
    EXPECT_TRUE(well.RowIsEmpty(17));
}
