// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/uGameTimer.h"

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

TEST(GameTimer, FasterThanItsWakeUpsItRunsTheTicksThatFellDueTogether) {
    tGameTimer timer;
    int burst = 0;
    int longestBurst = 0;
    QObject::connect(&timer, &tGameTimer::timeout, [&] { longestBurst = std::max(longestBurst, ++burst); });
    // Runs at every pass of the event loop, between two wake-ups of the game's timer, and takes a millisecond
    // there, as a paint would: several ticks of 125 microseconds fall due meanwhile.
    QTimer between;
    QObject::connect(&between, &QTimer::timeout, [&] {
        burst = 0;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    });
    between.start(0);
    timer.SetInterval(1);
    timer.Start();
    timer.SetSpeed(8);
    EXPECT_EQ(timer.Speed(), 8);
    // The program's own event loop: the tests' waits sleep between their passes.
    QEventLoop loop;
    QTimer::singleShot(100, &loop, &QEventLoop::quit);
    loop.exec();
    EXPECT_GE(longestBurst, 2);
    timer.SetSpeed(0);
    EXPECT_EQ(timer.Speed(), 1);
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
