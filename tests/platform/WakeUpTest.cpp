// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/uWakeUp.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <gtest/gtest.h>
#include <utility>

// A wake-up for now comes once the turn of the loop that asked for it is done: in a loop that waits, and in
// processEvents() passes that never wait; asking again from inside it waits for the next turn.
TEST(WakeUp, NowComesAtTheEndOfTheTurnInEveryKindOfLoopAndOnlyOnce) {
    int wakes = 0;
    tWakeUp* self = nullptr;
    bool again = false;
    tWakeUp wakeUp([&] {
        ++wakes;
        if (std::exchange(again, false)) {
            self->StartIn(0);
        }
    });
    self = &wakeUp;

    wakeUp.StartIn(0);
    EXPECT_TRUE(wakeUp.IsActive());
    EXPECT_EQ(wakeUp.Remaining(), 0);
    EXPECT_EQ(wakes, 0) << "not while the caller's turn goes on";
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_EQ(wakes, 1);
    EXPECT_FALSE(wakeUp.IsActive());

    wakeUp.StartIn(0);
    wakeUp.Stop();
    QCoreApplication::processEvents();
    EXPECT_EQ(wakes, 1) << "stopped";

    // Asked for later, then for now: it comes now, and not again when the later time passes.
    wakeUp.StartIn(5'000'000);
    wakeUp.StartIn(0);
    again = true;
    QEventLoop loop;
    QTimer::singleShot(30, &loop, &QEventLoop::quit);
    loop.exec();
    EXPECT_EQ(wakes, 3) << "once, then once more as it asked from inside";
    EXPECT_FALSE(wakeUp.IsActive());
}
