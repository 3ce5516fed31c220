// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/uSingleInstance.h"

#include <QCoreApplication>
#include <QDir>
#include <QLockFile>
#include <QTest>
#include <gtest/gtest.h>

TEST(SingleInstance, LaterCopyAsksTheFirstToComeToTheFront) {
    const QString name = QString("stakkar-test-%1").arg(QCoreApplication::applicationPid());
    tSingleInstance first(name);
    int raised = 0;
    first.SetRaiseHandler([&raised] { ++raised; });
    ASSERT_TRUE(first.Claim());
    tSingleInstance second(name);
    EXPECT_FALSE(second.Claim());
    EXPECT_TRUE(QTest::qWaitFor([&raised] { return raised == 1; }, 2000));
}

TEST(SingleInstance, SocketLeftByACrashedCopyDoesNotBlockTheNext) {
    const QString name = QString("stakkar-stale-%1").arg(QCoreApplication::applicationPid());
    {
        tSingleInstance crashed(name);
        ASSERT_TRUE(crashed.Claim());
    }
    tSingleInstance next(name);
    EXPECT_TRUE(next.Claim());
}

TEST(SingleInstance, CopyStartedWhileTheFirstIsStillStartingDoesNotRunToo) {
    const QString name = QString("stakkar-race-%1").arg(QCoreApplication::applicationPid());
    // The first copy has taken its lock but does not listen yet.
    QLockFile starting(QDir(QDir::tempPath()).filePath(name + ".lock"));
    ASSERT_TRUE(starting.tryLock(0));
    tSingleInstance second(name);
    EXPECT_FALSE(second.Claim());
}
