// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/uCRC32.h"
#include "storage/uHSEntry.h"

#include <gtest/gtest.h>

namespace {

tHS Entry(int32_t slot, int32_t score, int32_t level, const std::string& start) {
    tHS e = PlaceholderHS(slot);
    e.Name = "P" + std::to_string(slot);
    e.Score = score;
    e.Level = level;
    e.StartTime = start;
    return e;
}

std::vector<int32_t> Slots(const std::array<tHS, kHSSlots>& entries) {
    std::vector<int32_t> slots;
    for (const auto& e : entries) {
        slots.push_back(e.Slot);
    }
    return slots;
}

} // namespace

TEST(HSEntry, AnEmptySlotIsAValidPlaceholderWithTheChecksumOfTheJoinedDefaults) {
    tStringListINI doc;
    const auto slots = ReadHSSection(doc, "Standart_Easy");
    const std::string expected =
        std::to_string(TextCrc32("Standart_EasyUnknown0000.00.00 00:00:000:00100 [0,0/m]0 [0,0/m]"));
    for (int n = 1; n <= kHSSlots; ++n) {
        const tHSStored& s = slots[static_cast<size_t>(n - 1)];
        EXPECT_EQ(s.Slot, n);
        EXPECT_FALSE(s.AnyKey);
        EXPECT_EQ(s.Crc32, expected);
        EXPECT_EQ(CheckStored("Standart_Easy", s), tHSCheck::Valid);
    }
    // The default checksum belongs to its section: moved under another name the slot no longer holds.
    EXPECT_EQ(CheckStored("Extended_Easy", slots[0]), tHSCheck::Mismatch);
}

TEST(HSEntry, WritesTenKeysInOrderAndReadsThemBack) {
    tStringListINI doc;
    tHS e = Entry(4, 1234, 7, "05.06.07 08:09:10");
    e.PlayTime = "3:07";
    e.StartLevel = "2";
    e.BrokenLines = "3";
    e.Figures = "57 [12,5/m]";
    e.Cleared = "9 [2,0/m]";
    WriteHSSlot(doc, "Extended_Hard", StoredForm("Extended_Hard", e));
    EXPECT_EQ(
        doc.Lines(),
        (std::vector<std::string>{
            "[Extended_Hard]", "4Name=P4", "4Level=7", "4Score=1234", "4StartTime=05.06.07 08:09:10",
            "4PlayTime=3:07", "4StartLevel=2", "4BrokenLines=3", "4Figures=57 [12,5/m]", "4Cleared=9 [2,0/m]",
            "4Crc32=" + std::to_string(TextCrc32("Extended_HardP471234"
                                                 "05.06.07 08:09:103:072357 [12,5/m]9 [2,0/m]"))}));
    const tHSStored read = ReadHSSection(doc, "Extended_Hard")[3];
    EXPECT_TRUE(read.AnyKey);
    const tHS back = EntryOf("Extended_Hard", read);
    EXPECT_EQ(back.Name, "P4");
    EXPECT_EQ(back.Level, 7);
    EXPECT_EQ(back.Score, 1234);
    EXPECT_EQ(back.Slot, 4);
    EXPECT_EQ(back.Figures, "57 [12,5/m]");
}

TEST(HSEntry, TheFirstOfDuplicateKeysCountsAndOtherSectionsAreNotRead) {
    tStringListINI doc;
    doc.SetText("[Standart_Easy]\n1Name=First\n1Name=Second\n[Standart_Normal]\n2Name=Elsewhere\n");
    const auto slots = ReadHSSection(doc, "standart_easy");
    EXPECT_EQ(slots[0].Values[tResultField::Name], "First");
    EXPECT_EQ(slots[1].Values[tResultField::Name], "Unknown");
}

TEST(HSEntry, AForgedChecksumOverALevelOrScoreThatIsNoNumberIsRefused) {
    tStringListINI doc;
    tHSStored s = StoredForm("Standart_Easy", Entry(2, 10, 1, "01.01.05 00:00:00"));
    s.Values[tResultField::Score] = "lots";
    s.Crc32 = HSChecksum("Standart_Easy", s);
    WriteHSSlot(doc, "Standart_Easy", s);
    const tHSStored read = ReadHSSection(doc, "Standart_Easy")[1];
    EXPECT_EQ(CheckStored("Standart_Easy", read), tHSCheck::NotANumber);
    const tHS e = EntryOf("Standart_Easy", read);
    EXPECT_EQ(e.Name, "Unknown");
    EXPECT_EQ(e.Score, 0);
    EXPECT_EQ(e.Slot, 2);
}

TEST(HSEntry, StartTimesReadTwoDigitYears00To69As2000To2069And70To99As1970To1999) {
    EXPECT_FALSE(StartTimeMs("00.00.00 00:00:00"));
    EXPECT_FALSE(StartTimeMs(""));
    EXPECT_FALSE(StartTimeMs("31.02.05 10:00:00"));
    EXPECT_FALSE(StartTimeMs("01.01.05 24:00:00"));
    EXPECT_FALSE(StartTimeMs("01.01.05 10:00:00x"));
    EXPECT_FALSE(StartTimeMs("01.01.123 10:00:00"));
    ASSERT_TRUE(StartTimeMs("01.01.00 00:00:00"));
    EXPECT_EQ(*StartTimeMs("01.01.00 00:00:00"), 946684800000);
    EXPECT_EQ(*StartTimeMs("01.01.2000 00:00:00"), 946684800000);
    EXPECT_EQ(*StartTimeMs("1.1.00 0:00:01"), 946684801000);
    EXPECT_EQ(*StartTimeMs("29.02.04"), 1078012800000);
    EXPECT_EQ(*StartTimeMs("31.12.69 23:59:59"), *StartTimeMs("31.12.2069 23:59:59"));
    EXPECT_EQ(*StartTimeMs("01.01.70 00:00:00"), 0);
    EXPECT_EQ(*StartTimeMs("31.12.99 23:59:59"), *StartTimeMs("31.12.1999 23:59:59"));
    EXPECT_LT(*StartTimeMs("31.12.99 23:59:59"), *StartTimeMs("01.01.00 00:00:00"));
}

TEST(HSEntry, RanksByScoreThenLowerLevelThenEarlierStart) {
    std::array<tHS, kHSSlots> table;
    for (int n = 1; n <= kHSSlots; ++n) {
        table[static_cast<size_t>(n - 1)] = PlaceholderHS(n);
    }
    table[2] = Entry(3, 500, 5, "02.01.05 10:00:00");
    table[4] = Entry(5, 500, 4, "03.01.05 10:00:00");
    table[6] = Entry(7, 500, 5, "01.01.05 10:00:00");
    table[8] = Entry(9, 500, 5, "garbage");
    table[10] = Entry(11, 900, 9, "01.01.05 10:00:00");
    table[12] = Entry(13, 500, 5, "01.01.05 10:00:01");
    SortRecords(table);
    // Unreadable start times are the earliest of all; the placeholders keep the order selection leaves them.
    EXPECT_EQ(Slots(table), (std::vector<int32_t>{11, 5, 9, 7, 13, 3, 4, 8, 6, 10, 1, 12, 2, 14, 15}));
}

TEST(HSEntry, SelectionKeepsTheFirstOfFullTiesEachPass) {
    std::array<tHS, kHSSlots> table;
    for (int n = 1; n <= kHSSlots; ++n) {
        table[static_cast<size_t>(n - 1)] = PlaceholderHS(n);
    }
    table[14] = Entry(15, 10, 1, "01.01.05 10:00:00");
    SortRecords(table);
    // The one result is swapped with slot 1, which thereby becomes the entry ranked 15th.
    EXPECT_EQ(Slots(table), (std::vector<int32_t>{15, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 1}));
}
