// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/uPlayers.h"

#include <QFont>
#include <gtest/gtest.h>

TEST(PlayerName, TheBoxTakesOnlyWhatTheFileCanHold) {
    EXPECT_TRUE(AcceptableNameText(QString::fromUtf8("Иван")));
    EXPECT_FALSE(AcceptableNameText(QString::fromUtf8("李")));
    EXPECT_FALSE(AcceptableNameText("x]"));
    EXPECT_TRUE(AcceptableNameText(""));
}

TEST(PlayerName, GrowsOneCharacterPastTheWidthLimit) {
    QFont font("Verdana");
    font.setPixelSize(11);
    EXPECT_EQ(NameLengthLimit("Al", font, 100), 3);
    EXPECT_EQ(NameLengthLimit(QString(40, 'W'), font, 100), -1);
}
