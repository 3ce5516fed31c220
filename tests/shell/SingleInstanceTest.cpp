#include "shell/uSingleInstance.h"

#include <QCoreApplication>
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
