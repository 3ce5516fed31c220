// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/uCRC32.h"

#include <gtest/gtest.h>

TEST(TextChecksum, KnownValues) {
    EXPECT_EQ(TextCrc32(""), 4294967295u);
    EXPECT_EQ(TextCrc32("abc"), 3403398717u);
    EXPECT_EQ(TextCrc32("ABC"), 3403398717u);
}

TEST(TextChecksum, CountsOnlyTheFirstLengthModulo256Characters) {
    const std::string s256(256, 'q');
    EXPECT_EQ(TextCrc32(s256), 4294967295u);
    EXPECT_EQ(TextCrc32("Q" + s256), TextCrc32("q"));
    const std::string s300 = std::string(44, 'k') + std::string(256, 'm');
    EXPECT_EQ(TextCrc32(s300), TextCrc32(std::string(44, 'k') + std::string(256, 'x')));
}

TEST(TextChecksum, IgnoresLetterCaseOfCyrillicToo) {
    EXPECT_EQ(TextCrc32("\xC8\xE2\xE0\xED \xA8"), TextCrc32("\xE8\xE2\xE0\xED \xB8"));
    EXPECT_NE(TextCrc32("\xC8\xE2\xE0\xED"), TextCrc32("\xC8\xE2\xE0\xEE"));
}
