// SPDX-License-Identifier: GPL-3.0-or-later
#include "look/uLang.h"
#include "platform/uShell.h"
#include "shell/uAbout.h"
#include "tests/support/MessageRecorder.h"
#include "tests/support/ShellRecorder.h"
#include "widgets/uOther.h"

#include <QLabel>
#include <QScrollArea>
#include <QTest>
#include <gtest/gtest.h>

TEST(AboutPanel, LinksOpenTheHomePageAndAMailToAddress) {
    tShellRecorder shell;
    const std::vector<std::string>& opened = shell.opened;
    QWidget mainWindow;
    mainWindow.resize(640, 480);
    TAboutPanel about(&mainWindow);
    mainWindow.show();
    about.iAboutClick();
    QTest::mouseClick(about.Label12, Qt::LeftButton);
    QTest::mouseClick(about.Label13, Qt::LeftButton);
    QTest::mouseClick(about.lVersion, Qt::LeftButton);
    QTest::mousePress(about.Label12, Qt::LeftButton);
    QTest::mouseRelease(about.Label12, Qt::LeftButton, {}, QPoint(-40, 200));
    EXPECT_EQ(opened, (std::vector<std::string>{kHomePage, std::string("mailto:") + kEMail}));

    // Where the desktop has no mail program the address is given to copy.
    tMessageRecorder messages;
    LoadLanguageResource();
    LoadDefaultLanguage();
    shell.opens = false;
    QTest::mouseClick(about.Label13, Qt::LeftButton);
    EXPECT_EQ(messages.messages,
              std::vector<std::string>{"Nothing was found to open this; it is on the clipboard: "
                                       "mailto:" +
                                       std::string(kEMail)});
}

TEST(AboutPanel, ShowsItsLinesAndClosesWithItsButton) {
    QWidget mainWindow;
    mainWindow.resize(640, 480);
    TAboutPanel about(&mainWindow);
    mainWindow.show();
    EXPECT_EQ(about.geometry(), QRect(5, 5, 630, 470));
    EXPECT_FALSE(about.isVisible());
    about.iAboutClick();
    EXPECT_TRUE(about.isVisible());
    EXPECT_EQ(about.lTitle->text(), ":: About project ::");
    EXPECT_EQ(about.lVersion->text(), "Stakkar (1.0.2 build 64 beta 3b)");
    EXPECT_EQ(about.lDate->text(), "(11 december 2004)");
    EXPECT_EQ(about.Label12->text(), kHomePage);
    EXPECT_EQ(about.Label12->x(), 137);
    EXPECT_EQ(about.sbThanks->size(), QSize(349, 222));
    EXPECT_LE(about.sbThanks->geometry().bottom(), 470);
    EXPECT_EQ(about.iAboutClose->geometry(), QRect(594, 434, 31, 30));
    EXPECT_EQ(about.iAboutClose->Hint(), "Close");
    QTest::mouseClick(about.iAboutClose, Qt::LeftButton);
    EXPECT_FALSE(about.isVisible());
}
