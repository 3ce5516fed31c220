// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/uKeyCode.h"
#include "platform/uResource.h"
#include "storage/uKeyNames.h"

#include <QKeyEvent>
#include <gtest/gtest.h>

TEST(KeyNames, BuiltInTableHas71EntriesInAscendingCodeOrder) {
    const QByteArray names = LoadResourceData(":/TKeys");
    EXPECT_FALSE(names.endsWith("\r\n"));
    EXPECT_TRUE(names.contains("Backspace\r\nEnter\r\n"));
    tKeyNames table;
    table.LoadResource();
    ASSERT_EQ(table.Count(), 71);
    for (int i = 1; i < table.Count(); ++i)
        EXPECT_LT(table.Code(i - 1), table.Code(i)) << table.Name(i);
    EXPECT_EQ(table.CodeOfName("Num 1"), 97);
    EXPECT_EQ(table.CodeOfName("\""), 222);
    EXPECT_EQ(table.CodeOfName("Caps Lock"), 20);
    EXPECT_EQ(table.Name(table.IndexOfCode(186)), ":");
    EXPECT_EQ(table.Name(table.IndexOfCode(90)), "Z");
    for (const int unbindable : {9, 16, 18, 19, 27, 46, 96, 110, 112, 123, 187, 189, 220})
        EXPECT_EQ(table.IndexOfCode(unbindable), -1) << unbindable;
}

TEST(KeyNames, NamesMatchIgnoringCaseAndUnknownNamesLoadAsNoKey) {
    tKeyNames table;
    table.LoadResource();
    EXPECT_EQ(table.CodeOfName("space"), 32);
    EXPECT_EQ(ReadKeyName(table, "space"), "space");
    EXPECT_EQ(ReadKeyName(table, "F5"), "(No)");
    EXPECT_EQ(ReadKeyName(table, ""), "(No)");
    EXPECT_EQ(table.CodeOfName("F5"), 0);
}

TEST(KeyNames, UnevenListsKeepOnlyPairedEntries) {
    tKeyNames table;
    table.Load("A\r\nB\r\nC", "65\r\n66");
    EXPECT_EQ(table.Count(), 2);
    EXPECT_EQ(table.IndexOfName("C"), -1);
}

TEST(KeyNames, BindingsAreValidOnlyWithSevenDistinctKeys) {
    std::array<std::string, 7> names{"Up", "End", "Left", "Right", "Down", "Space", "Ctrl"};
    EXPECT_TRUE(KeysValid(names));
    names[1] = "Up";
    EXPECT_FALSE(KeysValid(names));
    names[1] = "up";
    EXPECT_TRUE(KeysValid(names));
    names[6] = "(No)";
    EXPECT_FALSE(KeysValid(names));
}

TEST(KeyCode, QtKeysTranslateToVirtualKeyCodes) {
    EXPECT_EQ(VirtualKeyOf(Qt::Key_A, false), 65);
    EXPECT_EQ(VirtualKeyOf(Qt::Key_5, false), 53);
    EXPECT_EQ(VirtualKeyOf(Qt::Key_5, true), 101);
    EXPECT_EQ(VirtualKeyOf(Qt::Key_0, true), 96);
    EXPECT_EQ(VirtualKeyOf(Qt::Key_Asterisk, true), 106);
    EXPECT_EQ(VirtualKeyOf(Qt::Key_Asterisk, false), 56);
    EXPECT_EQ(VirtualKeyOf(Qt::Key_Minus, true), 109);
    EXPECT_EQ(VirtualKeyOf(Qt::Key_Minus, false), 189);
    EXPECT_EQ(VirtualKeyOf(Qt::Key_Enter, true), 13);
    EXPECT_EQ(VirtualKeyOf(Qt::Key_Home, true), 36);
    EXPECT_EQ(VirtualKeyOf(Qt::Key_F1, false), 112);
    EXPECT_EQ(VirtualKeyOf(Qt::Key_F12, false), 123);
    EXPECT_EQ(VirtualKeyOf(Qt::Key_Pause, false), 19);
    EXPECT_EQ(VirtualKeyOf(Qt::Key_Control, false), 17);
    EXPECT_EQ(VirtualKeyOf(Qt::Key_QuoteDbl, false), 222);
    EXPECT_EQ(VirtualKeyOf(Qt::Key_BraceRight, false), 221);
    EXPECT_EQ(VirtualKeyOf(Qt::Key_Colon, false), 186);
    EXPECT_EQ(VirtualKeyOf(Qt::Key_unknown, false), 0);
    const QKeyEvent keypadSlash(QEvent::KeyPress, Qt::Key_Slash, Qt::KeypadModifier);
    EXPECT_EQ(VirtualKeyCode(keypadSlash), 111);
}
