// SPDX-License-Identifier: GPL-3.0-or-later
// The PostgreSQL password reaches the server without passing through its arguments, which every user of the
// machine can read.

#include "uHttpGet.h"
#include "uPgCluster.h"
#include "uScoresCommand.h"
#include "uServerProcess.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

constexpr const char* kPassword = "Tr0ub4dor-stakkar";

bool WriteFile(const QString& path, const QByteArray& text) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}

// "list" needs the database and nothing else: its exit status says whether the password let it in.
int ListWith(const QString& address) {
    return RunScoresCommand({"list", "--name", "Ann", "--database", address}).ExitCode;
}

} // namespace

TEST(ScoreServerPassword, ComesFromAFileTheEnvironmentOrACredentialAndNeverFromTheArguments) {
    if (tPgCluster::BinDir().isEmpty()) {
        GTEST_SKIP() << "PostgreSQL is not installed (bash tools/setup.sh installs it)";
    }
    tPgCluster cluster;
    QString problem;
    ASSERT_TRUE(cluster.Start(problem, kPassword)) << problem.toStdString();
    const QString address = cluster.TcpAddress();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());

    QString withPassword = address;
    withPassword.replace("stakkar@", QString("stakkar:") + kPassword + "@");
    const tCommandOutput refused = RunScoresCommand({"--port", "0", "--database", withPassword});
    EXPECT_EQ(refused.ExitCode, 2);
    for (const char* where : {"--database-password-file", "PGPASSWORD", "database-password"}) {
        EXPECT_TRUE(refused.Err.contains(where)) << refused.Err.toStdString();
    }
    // The cluster does ask: without the password nothing gets in.
    EXPECT_EQ(ListWith(address), 1);

    const QString passwordFile = dir.filePath("password");
    ASSERT_TRUE(WriteFile(passwordFile, QByteArray(kPassword) + "\n"));
    tServerProcess server;
    ASSERT_TRUE(
        server.Start(dir.path(), {"--database", address, "--database-password-file", passwordFile}, problem))
        << problem.toStdString();
    EXPECT_EQ(HttpGet(server.Base().toUtf8()).Status, 200);
    QFile arguments(QString("/proc/%1/cmdline").arg(server.Pid()));
    ASSERT_TRUE(arguments.open(QIODevice::ReadOnly));
    QByteArray shown = arguments.readAll();
    EXPECT_TRUE(shown.contains("--database-password-file"));
    EXPECT_FALSE(shown.contains(kPassword)) << shown.replace('\0', ' ').toStdString();

    const QString emptyFile = dir.filePath("empty");
    ASSERT_TRUE(WriteFile(emptyFile, "\n"));
    const tCommandOutput empty = RunScoresCommand(
        {"list", "--name", "Ann", "--database", address, "--database-password-file", emptyFile});
    EXPECT_EQ(empty.ExitCode, 2);
    EXPECT_TRUE(empty.Err.contains(emptyFile)) << empty.Err.toStdString();

    qputenv("PGPASSWORD", kPassword);
    EXPECT_EQ(ListWith(address), 0);
    qunsetenv("PGPASSWORD");

    // What systemd's LoadCredential= hands the unit.
    ASSERT_TRUE(QDir(dir.path()).mkdir("credentials"));
    ASSERT_TRUE(WriteFile(dir.filePath("credentials/database-password"), kPassword));
    qputenv("CREDENTIALS_DIRECTORY", dir.filePath("credentials").toUtf8());
    EXPECT_EQ(ListWith(address), 0);
    qunsetenv("CREDENTIALS_DIRECTORY");
}
