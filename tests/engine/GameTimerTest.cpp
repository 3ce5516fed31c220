// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/uGameTimer.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTest>
#include <QTimer>
#include <chrono>
#include <gtest/gtest.h>
#include <thread>

#include <algorithm>
#include <utility>

TEST(GameTimer, TicksOnlyWhileStartedAndKeepsAnIntervalOfAtLeastOneMillisecond) {
    tGameTimer timer;
    int ticks = 0;
    QObject::connect(&timer, &tGameTimer::timeout, [&] { ++ticks; });
    EXPECT_FALSE(timer.IsActive());
    EXPECT_EQ(timer.Interval(), 500);
    timer.SetInterval(0);
    EXPECT_EQ(timer.Interval(), 1);
    EXPECT_FALSE(timer.IsActive()) << "a new interval does not start the timer";
    QTest::qWait(20);
    EXPECT_EQ(ticks, 0);

    timer.SetInterval(5);
    timer.Start();
    EXPECT_TRUE(QTest::qWaitFor([&] { return ticks >= 3; }, 5000));
    timer.Stop();
    const int stopped = ticks;
    QTest::qWait(30);
    EXPECT_EQ(ticks, stopped);
    EXPECT_FALSE(timer.IsActive());
}

TEST(GameTimer, StartingAgainRestartsTheFullPeriod) {
    tGameTimer timer;
    int ticks = 0;
    QObject::connect(&timer, &tGameTimer::timeout, [&] { ++ticks; });
    timer.SetInterval(1500);
    timer.Start();
    for (int i = 0; i < 6; ++i) {
        QTest::qWait(100);
        timer.Start();
    }
    EXPECT_EQ(ticks, 0) << "restarted every 100 ms, a 1500 ms timer never fires";
    timer.SetInterval(300);
    EXPECT_TRUE(timer.IsActive());
    EXPECT_TRUE(QTest::qWaitFor([&] { return ticks == 1; }, 5000));
}

TEST(GameTimer, AResumedTimerGoesOnWithThePeriodItsPauseBrokeOffAndAHangItGivesUpIsTold) {
    tGameTimer timer;
    QElapsedTimer clock;
    qint64 tickedAt = -1;
    QObject::connect(&timer, &tGameTimer::timeout, [&] { tickedAt = clock.elapsed(); });
    timer.SetInterval(400);
    timer.Start();
    QTest::qWait(250);
    timer.Pause();
    QTest::qWait(500);
    EXPECT_EQ(tickedAt, -1);
    clock.start();
    timer.Resume();
    ASSERT_TRUE(QTest::qWaitFor([&] { return tickedAt >= 0; }, 1000));
    EXPECT_LT(tickedAt, 300) << "the resumed timer started a whole period afresh";

    qint64 skipped = 0;
    QObject::connect(&timer, &tGameTimer::skipped, [&](qint64 nanoseconds) { skipped += nanoseconds; });
    timer.SetInterval(10);
    timer.Start();
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    QTest::qWait(30);
    EXPECT_GT(skipped, 200 * 1000000LL);
    EXPECT_LT(skipped, 400 * 1000000LL);
}

TEST(GameTimer, AtAThousandTicksASecondItWakesInBatchesAndRunsWhatFellDueBeforeAPress) {
    tGameTimer timer;
    int ticks = 0;
    int wakeUps = 0;
    bool inWakeUp = false;
    QObject::connect(&timer, &tGameTimer::timeout, [&] {
        ++ticks;
        if (!std::exchange(inWakeUp, true)) {
            ++wakeUps;
        }
    });
    // Marks the end of each pass of the event loop, so that the ticks of one wake-up count as one.
    QTimer between;
    QObject::connect(&between, &QTimer::timeout, [&] { inWakeUp = false; });
    between.start(0);
    timer.SetInterval(1);
    timer.Start();
    QEventLoop loop;
    QTimer::singleShot(200, &loop, &QEventLoop::quit);
    loop.exec();
    EXPECT_GE(ticks, 100);
    EXPECT_LE(wakeUps * 2, ticks) << "the process woke for nearly every tick";

    // A press after 10 ms in which the loop did not turn first runs the ten ticks due before it.
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    const int before = ticks;
    timer.RunDue();
    EXPECT_GE(ticks - before, 8);
    const int ran = ticks;
    timer.RunDue();
    EXPECT_LE(ticks - ran, 1);

    // A tick that starts the period afresh, as a landing does, starts it at its own time, not at the late
    // time its batch runs it: the ticks due after it are not lost.
    bool restart = true;
    const auto restarting = QObject::connect(&timer, &tGameTimer::timeout, [&] {
        if (std::exchange(restart, false)) {
            timer.Start();
        }
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    const int beforeRestart = ticks;
    timer.RunDue();
    timer.RunDue();
    EXPECT_GE(ticks - beforeRestart, 8);
    QObject::disconnect(restarting);
}
