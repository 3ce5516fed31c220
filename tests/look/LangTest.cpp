// SPDX-License-Identifier: GPL-3.0-or-later
#include "look/uLang.h"

#include <gtest/gtest.h>

TEST(LanguageTable, KeysMapToTheirSlotsAndNothingOutsideTheKeySpace) {
    EXPECT_EQ(LanguageSlot("s0000"), 0);
    EXPECT_EQ(LanguageSlot("s2110"), 153);
    EXPECT_EQ(LanguageSlot("s3510"), 263);
    for (const char* outside : {"s0011", "s0060", "s4000", "s0100x", "s010", "S0000", "s00a0", "t0000"}) {
        EXPECT_EQ(LanguageSlot(outside), -1) << outside;
    }
}

TEST(LanguageTable, BuiltInTextsLoadAndReachEveryTarget) {
    LoadLanguageResource();
    EXPECT_EQ(LanguageTable.builtIn.Count(), 99);
    QString seen;
    tSubscription id = AddLanguageTarget([&] { seen = LangText("s1201"); });
    LoadDefaultLanguage();
    id.Cancel();
    EXPECT_EQ(seen, "Press F2 for new game");
    EXPECT_EQ(LangText("s0000"), "Close message");
    EXPECT_EQ(LangText("s3003"), "Exit");
    EXPECT_EQ(LangText("s0011"), "");
    EXPECT_EQ(
        LangFormat("s0100", {"/home/ivan/users.dat", "No space left on device"}),
        "/home/ivan/users.dat could not be saved; the options of this run will not be kept: No space left "
        "on device");
    EXPECT_EQ(HeaderForm(LangText("s1202")), ":: Pause ::");
    EXPECT_EQ(LabelForm(LangText("s2201")), "Rotate : ");
}
