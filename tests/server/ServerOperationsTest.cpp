// SPDX-License-Identifier: GPL-3.0-or-later
// What the operator's tools read off a running server: its health.

#include "uHttpGet.h"
#include "uServerProcess.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(ScoreServerOperations, HealthIsOkWhileTheDatabaseAnswers) {
    QTemporaryDir dir;
    tServerProcess server;
    QString problem;
    ASSERT_TRUE(server.Start(dir.path(), {}, problem)) << problem.toStdString();
    const tHttpReply health = HttpGet(server.Base().toUtf8() + "healthz");
    EXPECT_EQ(health.Status, 200);
    EXPECT_EQ(health.Body, "ok\n");
}
