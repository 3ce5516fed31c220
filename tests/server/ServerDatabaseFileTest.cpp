// SPDX-License-Identifier: GPL-3.0-or-later
// The SQLite file of a running server: its write-ahead log kept small while results come in, and a backup
// taken meanwhile.

#include "uHttpGet.h"
#include "uScoresCommand.h"
#include "uServerProcess.h"

#include "core/uRules.h"
#include "storage/uHSUpload.h"

#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

// Distinct, valid results of Standart : Normal; n picks the values, so no two n give the same row.
tResultRecord Result(int n) {
    char start[32];
    std::snprintf(start, sizeof start, "%02d.%02d.%02d %02d:%02d:%02d", 1 + n % 28, 1 + n / 28 % 12,
                  n / 336 % 25, n / 7 % 24, n / 3 % 60, n % 60);
    const int perLevel = kDifficulties[1].FiguresPerLevel;
    const int level = 1 + n % 20;
    const int figures = (level - 1) * perLevel + n % perLevel;
    tResultRecord r;
    static_cast<tResultTexts&>(r) = {start,       "3:05", "1", "0", std::to_string(figures) + " [13,0/m]",
                                     "12 [3,9/m]"};
    r.Name = "Player" + std::to_string(n);
    r.Level = level;
    r.Score = (n * 7919) % (kDropPoints * (figures + 1) + 1);
    return r;
}

class ServerDatabaseFile : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Dir.isValid());
        QString problem;
        ASSERT_TRUE(Server.Start(
            Dir.path(),
            {"--database", File(), "--uploads-per-minute", "1000000", "--upload-burst", "1000000"}, problem))
            << problem.toStdString();
    }
    QString File() const { return Dir.filePath("scores.sqlite"); }
    int Upload(int n) {
        const std::string address = UploadAddress(kGameTypes[0].Name, kDifficulties[1].Name, Result(n));
        return HttpGet(Server.Base().toUtf8() +
                       QByteArray::fromStdString(address.substr(address.find("index.php"))))
            .Status;
    }

    QTemporaryDir Dir;
    tServerProcess Server;
};

TEST_F(ServerDatabaseFile, TheWriteAheadLogStaysSmallWhileResultsComeIn) {
    // Without checkpoints the log grows by some 32 KB a result; 3,000 results would leave it near 100 MB.
    constexpr qint64 kBound = 8 << 20;
    qint64 largest = 0;
    for (int n = 0; n < 3000; ++n) {
        ASSERT_EQ(Upload(n), 200) << n;
        if (n % 100 == 99) {
            largest = std::max(largest, QFileInfo(File() + "-wal").size());
        }
    }
    EXPECT_LT(largest, kBound);
    EXPECT_GT(QFileInfo(File()).size(), 100 << 10) << "the results reached the database file itself";
}

TEST_F(ServerDatabaseFile, ABackupTakenWhileResultsComeInHoldsEveryResultTakenBeforeItAndIsWhole) {
    int taken = 0;
    for (; taken < 2000; ++taken) {
        ASSERT_EQ(Upload(taken), 200) << taken;
    }
    const QString copy = Dir.filePath("copy.sqlite");
    QProcess backup;
    StartScoresCommand(backup, {"--database", File(), "backup", copy});
    int during = 0;
    while (!backup.waitForFinished(1) && backup.state() != QProcess::NotRunning && during < 20000) {
        ASSERT_EQ(Upload(taken + during++), 200);
    }
    ASSERT_TRUE(backup.state() == QProcess::NotRunning || backup.waitForFinished(60000));
    ASSERT_EQ(backup.exitCode(), 0) << backup.readAllStandardError().toStdString();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "copy");
        db.setDatabaseName(copy);
        ASSERT_TRUE(db.open());
        QSqlQuery query(db);
        ASSERT_TRUE(query.exec("SELECT COUNT(*) FROM results") && query.next());
        EXPECT_GE(query.value(0).toInt(), taken);
        EXPECT_LE(query.value(0).toInt(), taken + during);
        ASSERT_TRUE(query.exec("PRAGMA integrity_check") && query.next());
        EXPECT_EQ(query.value(0).toString(), "ok");
    }
    QSqlDatabase::removeDatabase("copy");

    // The copy is never written over, no database is made where there is none, and PostgreSQL has its own.
    const qint64 copied = QFileInfo(copy).size();
    const tCommandOutput again = RunScoresCommand({"--database", File(), "backup", copy});
    EXPECT_EQ(again.ExitCode, 1);
    EXPECT_TRUE(again.Err.contains("exists already")) << again.Err.toStdString();
    EXPECT_EQ(QFileInfo(copy).size(), copied);
    const QString missing = Dir.filePath("missing.sqlite");
    const tCommandOutput none = RunScoresCommand({"--database", missing, "backup", Dir.filePath("c2")});
    EXPECT_EQ(none.ExitCode, 1);
    EXPECT_FALSE(QFileInfo::exists(missing) || QFileInfo::exists(Dir.filePath("c2")));
    const tCommandOutput postgres =
        RunScoresCommand({"--database", "postgresql://u@localhost/scores", "backup", Dir.filePath("c3")});
    EXPECT_EQ(postgres.ExitCode, 2);
    EXPECT_TRUE(postgres.Err.contains("pg_dump")) << postgres.Err.toStdString();
    EXPECT_EQ(RunScoresCommand({"--database", File(), "backup"}).ExitCode, 2);
}

} // namespace
