// SPDX-License-Identifier: GPL-3.0-or-later
#include "look/uChoiceList.h"

#include <gtest/gtest.h>

namespace {

tChoiceList Names(std::initializer_list<const char*> names) {
    tChoiceList list;
    for (const char* name : names) {
        list.Add(name);
    }
    return list;
}

} // namespace

TEST(ChoiceList, LookupPrefersTheExactSpellingAndOtherwiseIgnoresCase) {
    const tChoiceList list = Names({"(Default)", "(default)", "Blue", "\xC0\xC1\xC2"});
    EXPECT_EQ(list.Find("(Default)"), 0);
    EXPECT_EQ(list.Find("(default)"), 1);
    EXPECT_EQ(list.Find("(DEFAULT)"), 0);
    EXPECT_EQ(list.Find("bLUE"), 2);
    EXPECT_EQ(list.Find("\xE0\xE1\xE2"), 3); // Cyrillic letters in either case
    EXPECT_EQ(list.Find("Green"), -1);
}

TEST(ChoiceList, SelectionFollowsItsItemThroughDeletionsAndOutOfRangeSelectsNothing) {
    tChoiceList list = Names({"a", "b", "c", "d"});
    int told = 0;
    const tSubscription observer = list.Observe([&] { ++told; });
    list.SetItemIndex(2);
    list.Delete(0);
    EXPECT_EQ(list.ItemIndex(), 1);
    EXPECT_EQ(list.Text(), "c");
    list.Delete(2);
    EXPECT_EQ(list.Text(), "c");
    list.Delete(1);
    EXPECT_EQ(list.ItemIndex(), -1);
    EXPECT_EQ(list.Text(), "");
    list.Delete(-1);
    EXPECT_EQ(list.Count(), 1);
    list.SetItemIndex(5);
    EXPECT_EQ(list.ItemIndex(), -1);
    list.SelectName("B");
    EXPECT_EQ(list.ItemIndex(), 0);
    list.SelectName("zz");
    EXPECT_EQ(list.ItemIndex(), -1);
    EXPECT_EQ(told, 7);
}

TEST(ChoiceList, ChangeAppliesOnlyANewNameAndSelectsOnlyEntriesAfterTheFirst) {
    tChoiceList list = Names({"(Default)", "Blue", "Red"});
    std::string log;
    const auto reset = [&] { log += "reset;"; };
    const auto select = [&](const std::string& name) { log += "select " + name + ";"; };

    list.SetItemIndex(1);
    EXPECT_TRUE(list.Change(reset, select));
    EXPECT_EQ(log, "reset;select Blue;");
    EXPECT_EQ(list.LastName(), "Blue");

    log.clear();
    EXPECT_FALSE(list.Change(reset, select));
    EXPECT_EQ(log, "");

    list.SetItemIndex(0);
    EXPECT_TRUE(list.Change(reset, select));
    EXPECT_EQ(log, "reset;");
    EXPECT_EQ(list.LastName(), "(Default)");

    log.clear();
    list.SetItemIndex(-1);
    EXPECT_TRUE(list.Change(reset, select));
    EXPECT_EQ(log, "reset;");
    EXPECT_EQ(list.LastName(), "");
}
