// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/uKeyCode.h"
#include "shell/uKeyHook.h"
#include "shell/uKeys.h"
#include "shell/uShortcuts.h"

#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(Shortcuts, AKeyPressedInTheWindowActsOnceAndOnlyInItsViewsAndOtherKeysPlayOnlyInTheGamesView) {
    QWidget window;
    auto* typing = new QLineEdit(&window);
    auto* other = new QLineEdit(&window);
    other->move(0, 40);
    window.show();
    typing->setFocus();
    tView view = tView::Well;
    std::vector<std::string> done;
    std::vector<uint16_t> played;
    const tShortcuts table({{kVkF4, {tView::Well}, [&] { done.push_back("options"); }},
                            {kVkF3, {tView::Options}, [&] { done.push_back("well"); }},
                            {kVkF1, {tView::Well, tView::Options}, [&] { done.push_back("help"); }}},
                           tView::Well, [&](uint16_t code) { played.push_back(code); });
    const tKeyHook hook(
        [&] { return window.focusWidget() != nullptr ? window.focusWidget() : &window; },
        [&](const QWidget* widget) { return widget == &window || window.isAncestorOf(widget); },
        [&](uint16_t code, bool) { table.Press(code, view); }, [](uint16_t) {});

    // The line edit leaves F4 to the window, a second stop of the same key.
    QTest::keyClick(typing, Qt::Key_F4);
    QTest::keyClick(typing, Qt::Key_F3);
    QTest::keyClick(typing, Qt::Key_Left);
    QTest::keyClick(typing, Qt::Key_F1);
    EXPECT_EQ(done, (std::vector<std::string>{"options", "help"}));
    EXPECT_EQ(played, std::vector<uint16_t>{VirtualKeyOf(Qt::Key_Left, false)});

    view = tView::Options;
    QTest::keyClick(typing, Qt::Key_F4);
    QTest::keyClick(typing, Qt::Key_Left);
    QTest::keyClick(typing, Qt::Key_F3);
    EXPECT_EQ(done, (std::vector<std::string>{"options", "help", "well"}));
    EXPECT_EQ(played.size(), 1u);

    view = tView::Login;
    QTest::keyClick(typing, Qt::Key_F1);
    QTest::keyClick(typing, Qt::Key_Tab);
    EXPECT_EQ(done.size(), 3u);
    EXPECT_EQ(played.size(), 1u);
    EXPECT_EQ(window.focusWidget(), typing);
}
