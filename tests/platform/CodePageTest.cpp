// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/uCodePage.h"

#include <gtest/gtest.h>

TEST(CodePage, RoundTripsCyrillicThroughUnicode) {
    const std::string bytes = "\xCF\xF0\xE8\xE2\xE5\xF2 \xA8\xB8 abc";
    const QString text = FromCodePage(bytes);
    EXPECT_EQ(text, QString::fromUtf8("Привет Ёё abc"));
    EXPECT_EQ(ToCodePage(text), bytes);
}

TEST(CodePage, RefusesCharactersOutsideTheCodePage) {
    EXPECT_TRUE(IsRepresentable(QString::fromUtf8("Ivan Иван №")));
    EXPECT_FALSE(IsRepresentable(QString::fromUtf8("日本")));
    EXPECT_FALSE(IsRepresentable(QString::fromUtf8("Zoë 😀")));
    EXPECT_EQ(ToCodePage(QString::fromUtf8("a日b")), "a?b");
}

TEST(CodePage, FoldsLetterCaseOverEveryLetterOfTheCodePage) {
    EXPECT_EQ(LowerText("ABC xyz [Players]"), "abc xyz [players]");
    // А..Я -> а..я, Ё -> ё, and the Serbian, Macedonian, Ukrainian and Belarusian capitals.
    EXPECT_EQ(LowerText("\xC0\xDF\xA8\x80\x81\x8A\xA1\xA5\xAA\xAF\xB2\xBD"),
              "\xE0\xFF\xB8\x90\x83\x9A\xA2\xB4\xBA\xBF\xB3\xBE");
    // Signs and digits stay as they are.
    EXPECT_EQ(LowerText("\xB9\xA9 09"), "\xB9\xA9 09");
    EXPECT_TRUE(SameTextNoCase("\xC8\xE2\xE0\xED", "\xE8\xC2\xC0\xCD"));
    EXPECT_FALSE(SameTextNoCase("abc", "abd"));
    EXPECT_FALSE(SameTextNoCase("abc", "abcd"));
}
