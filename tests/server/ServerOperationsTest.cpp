// SPDX-License-Identifier: GPL-3.0-or-later
// What the operator's tools read off a running server: its health and its metrics.

#include "uHttpGet.h"
#include "uPgCluster.h"
#include "uServerProcess.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(ScoreServerOperations, HealthIsOkAndTheMetricsAreValidTextThatCountsTheRequestsBefore) {
    QTemporaryDir dir;
    tServerProcess server;
    QString problem;
    ASSERT_TRUE(server.Start(dir.path(), {}, problem)) << problem.toStdString();
    const tHttpReply health = HttpGet(server.Base().toUtf8() + "healthz");
    EXPECT_EQ(health.Status, 200);
    EXPECT_EQ(health.Body, "ok\n");

    const tHttpReply metrics = HttpGet(server.Base().toUtf8() + "metrics");
    ASSERT_EQ(metrics.Status, 200);
    static const QRegularExpression kComment("^# (HELP|TYPE) [a-z_]+ .+$");
    static const QRegularExpression kSample(
        R"(^[a-z_]+(\{[a-z]+="[^"]*"(,[a-z]+="[^"]*")*\})? ([0-9.e+-]+|\+Inf)$)");
    const QStringList lines = QString::fromUtf8(metrics.Body).split('\n', Qt::SkipEmptyParts);
    for (const QString& line : lines) {
        EXPECT_TRUE(kComment.match(line).hasMatch() || kSample.match(line).hasMatch()) << line.toStdString();
    }
    EXPECT_TRUE(lines.contains(R"(stakkar_requests_total{route="/healthz",status="200"} 1)"));
    EXPECT_TRUE(lines.contains(R"(stakkar_request_seconds_bucket{route="/healthz",le="+Inf"} 1)"));
    EXPECT_TRUE(lines.contains("# TYPE stakkar_check_queue_length gauge"));
    EXPECT_TRUE(lines.contains("stakkar_results_taken_total 0"));
}

TEST(ScoreServerOperations, HealthIs503WhileTheDatabaseIsDownAndTheServerStillAnswers) {
    if (tPgCluster::BinDir().isEmpty()) {
        GTEST_SKIP() << "PostgreSQL is not installed (bash tools/setup.sh test installs it)";
    }
    tPgCluster cluster;
    QString problem;
    ASSERT_TRUE(cluster.Start(problem)) << problem.toStdString();
    QTemporaryDir dir;
    tServerProcess server;
    ASSERT_TRUE(server.Start(dir.path(), {"--database", cluster.Address()}, problem))
        << problem.toStdString();
    ASSERT_EQ(HttpGet(server.Base().toUtf8() + "healthz").Status, 200);

    ASSERT_TRUE(cluster.Stop(problem)) << problem.toStdString();
    const tHttpReply health = HttpGet(server.Base().toUtf8() + "healthz");
    EXPECT_EQ(health.Status, 503);
    EXPECT_EQ(health.Body, "the database does not answer\n");
    EXPECT_TRUE(HttpGet(server.Base().toUtf8() + "metrics")
                    .Body.contains(R"(stakkar_requests_total{route="/healthz",status="503"} 1)"));
}

TEST(ScoreServerOperations, EachAnswerHasALineOnStderrThatGivesAReplayOnlyAsItsLength) {
    QTemporaryDir dir;
    tServerProcess server;
    QString problem;
    ASSERT_TRUE(server.Start(dir.path(), {}, problem)) << problem.toStdString();
    ASSERT_EQ(HttpGet(server.Base().toUtf8() + "healthz").Status, 200);
    const QByteArray replay(500, 'A');
    ASSERT_EQ(HttpGet(server.Base().toUtf8() + "index.php?tab=hscore&data=x&replay=" + replay).Status, 400);

    const QByteArray logged = server.ErrorsUntil("replay=<500 bytes>");
    EXPECT_TRUE(logged.contains("127.0.0.1 GET /healthz 200 3 ")) << logged.toStdString();
    EXPECT_TRUE(logged.contains("127.0.0.1 GET /index.php?tab=hscore&data=x&replay=<500 bytes> 400 "))
        << logged.toStdString();
    EXPECT_FALSE(logged.contains(replay.left(32)));
}
