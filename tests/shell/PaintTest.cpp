// SPDX-License-Identifier: GPL-3.0-or-later
#include "FormFixture.h"
#include "engine/uGame.h"
#include "tests/support/ScopedClock.h"
#include "widgets/uFramePacer.h"
#include "widgets/uLabels.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class Paint : public FormFixture {
protected:
    void ShowFrame() {
        QElapsedTimer waited;
        waited.start();
        while (form->Glass()->Pacer().Waiting() && waited.elapsed() < 2000) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
        }
        ASSERT_FALSE(form->Glass()->Pacer().Waiting());
    }
    // What the window's partial repaints have left on screen.
    QImage Shown() const {
        return form->screen()->grabWindow(form->winId()).toImage().convertToFormat(QImage::Format_RGB32);
    }
    // The window painted afresh, whole, from the game's state.
    QImage Rendered() const { return form->grab().toImage().convertToFormat(QImage::Format_RGB32); }

    tScopedClock clock_{QDateTime(QDate(2024, 6, 1), QTime(12, 0)), true};
};

} // namespace

TEST_F(Paint, WhatTheScreenShowsAfterEveryStepIsTheWholeWindowPaintedAfresh) {
    Start();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    LogIn("Ivan");
    tGlass& glass = *form->Glass();
    QTest::keyClick(form->KeyTarget(), Qt::Key_F2);
    ASSERT_TRUE(glass.Playing());

    // Ticks as the timer gives them and the keys of a player: moves, turns, a slide and many drops, so that
    // figures land, the pile and its arrow grow, the counters and the table change, and the game ends.
    const Qt::Key keys[] = {Qt::Key_Left, Qt::Key_Up,    Qt::Key_Control, Qt::Key_Right,  Qt::Key_End,
                            Qt::Key_Down, Qt::Key_Space, Qt::Key_Control, Qt::Key_Control};
    for (int step = 0; step < 90 && glass.Playing(); ++step) {
        if (step % 3 == 2) {
            QTest::keyClick(form->KeyTarget(), keys[(step / 3) % std::size(keys)]);
            // A drop's rows go after its pause, in which the timer does not tick.
            ASSERT_TRUE(QTest::qWaitFor([&] { return !glass.Timer().Holding(); }, 1000));
        } else {
            glass.Tick();
        }
        ShowFrame();
        ASSERT_EQ(Shown(), Rendered()) << "step " << step;
    }
    EXPECT_FALSE(glass.Playing()) << "the game is over";
    EXPECT_GE(glass.Model().Counters().Figures, 5);
    QTest::keyClick(form->KeyTarget(), Qt::Key_F2);

    // Several ticks between two frames cost one paint.
    const int frames = glass.Pacer().Frames();
    for (int i = 0; i < 5; ++i) {
        glass.Tick();
    }
    ShowFrame();
    EXPECT_EQ(glass.Pacer().Frames(), frames + 1);
    EXPECT_EQ(Shown(), Rendered());
}

TEST_F(Paint, TheCountersAndTitlesLookAsPlainLabelsOfTheSameSettingsWould) {
    Start();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    LogIn("Ivan");
    tGlass& glass = *form->Glass();
    QTest::keyClick(form->KeyTarget(), Qt::Key_F2);
    for (int step = 0; step < 40 && glass.Playing(); ++step) {
        glass.Tick();
        if (step % 3 == 2) {
            QTest::keyClick(form->KeyTarget(), Qt::Key_Space);
        }
    }
    ShowFrame();
    const QImage ours = Rendered();
    int compared = 0;
    // By the class itself: the labels' own class has no meta-object of its own.
    for (QLabel* any : form->findChildren<QLabel*>()) {
        auto* label = dynamic_cast<tTextLabel*>(any);
        if (label == nullptr || !label->isVisible() || label->Shown().isEmpty()) {
            continue;
        }
        QLabel plain(label->parentWidget());
        plain.setGeometry(label->geometry());
        plain.setFont(label->font());
        plain.setPalette(label->palette());
        plain.setAlignment(label->alignment());
        plain.setWordWrap(label->wordWrap());
        plain.setTextFormat(Qt::PlainText);
        plain.setAttribute(Qt::WA_TranslucentBackground);
        plain.setText(label->Shown());
        plain.stackUnder(label);
        label->hide();
        plain.show();
        const QImage theirs = Rendered();
        label->show();
        EXPECT_EQ(ours, theirs) << label->Shown().toStdString();
        ++compared;
    }
    EXPECT_GE(compared, 12);
}
