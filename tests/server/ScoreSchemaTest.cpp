// SPDX-License-Identifier: GPL-3.0-or-later
#include "uPgCluster.h"

#include "bench/ScriptedGame.h"
#include "server/check/uReplayCheck.h"
#include "server/store/uProofRecheck.h"
#include "server/store/uScoreDatabase.h"
#include "storage/uHSEntry.h"
#include "storage/uReplayFile.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QVariant>
#include <gtest/gtest.h>

TEST(ScoreSchema,
     ADatabaseOfOlderServersGetsItsYearsMovedBackItsTablesCountedItsResultsUnverifiedAndItsNamesIndexed) {
    QTemporaryDir dir;
    tDatabaseTarget target;
    target.Name = dir.filePath("scores.sqlite");
    auto stored = [&](const char* start, int32_t score) {
        tScoreRecord r{
            "Standart", "Easy", {{start, "1:00", "1", "0", "9 [9,0/m]", "0 [0,0/m]"}, "Ann", 1, score}};
        r.StartMs = *StartTimeMs(start);
        return r;
    };
    {
        tScoreDatabase db(target, "now");
        const tStoreResult<void> opened = db.Open();
        ASSERT_TRUE(opened) << opened.Problem().toStdString();
        const tStoreResult<void> filled = db.Results().StoreMany(
            {stored("31.12.99 23:59:59", 1), stored("07.03.05 21:15:00", 2), stored("08.03.05 21:15:00", 3)});
        ASSERT_TRUE(filled) << filled.Problem().toStdString();
    }
    {
        // The database as servers left it before the counts, the index of names and replays: 99 read as 2099,
        // and a hidden result that no count may take in.
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "before");
        db.setDatabaseName(target.Name);
        ASSERT_TRUE(db.open());
        QSqlQuery query(db);
        for (const char* statement : {"UPDATE results SET start_ms = 4102444799000 WHERE score = 1",
                                      "UPDATE results SET hidden = 1 WHERE score = 3",
                                      "DROP TRIGGER results_counted_insert",
                                      "DROP TRIGGER results_counted_delete",
                                      "DROP TRIGGER results_counted_hidden",
                                      "DROP TABLE table_counts",
                                      "DROP INDEX results_name",
                                      "DROP INDEX results_verified",
                                      "ALTER TABLE results DROP COLUMN verified",
                                      "ALTER TABLE results DROP COLUMN replay",
                                      "ALTER TABLE results DROP COLUMN final_well",
                                      "DROP INDEX results_game",
                                      "ALTER TABLE results DROP COLUMN game_key",
                                      "ALTER TABLE moderation_log DROP COLUMN game_type",
                                      "ALTER TABLE moderation_log DROP COLUMN difficulty",
                                      "ALTER TABLE moderation_log DROP COLUMN name",
                                      "ALTER TABLE moderation_log DROP COLUMN score",
                                      "ALTER TABLE moderation_log DROP COLUMN start_time",
                                      "DROP TABLE name_search",
                                      "DELETE FROM schema_version WHERE version >= 3"}) {
            EXPECT_TRUE(query.exec(statement)) << statement;
        }
    }
    QSqlDatabase::removeDatabase("before");
    tScoreDatabase db(target, "after");
    const tStoreResult<void> opened = db.Open();
    ASSERT_TRUE(opened) << opened.Problem().toStdString();
    const auto best = db.Results().Best("Standart", "Easy", 0, 10);
    ASSERT_TRUE(best && best->size() == 2u) << best.Problem().toStdString();
    EXPECT_EQ(best->at(0).StartMs, *StartTimeMs("07.03.05 21:15:00"));
    EXPECT_EQ(best->at(1).StartMs, *StartTimeMs("31.12.1999 23:59:59"));
    const auto easy = db.Results().TableCount("Standart", "Easy");
    const auto hard = db.Results().TableCount("Standart", "Hard");
    ASSERT_TRUE(easy && hard) << easy.Problem().toStdString() << hard.Problem().toStdString();
    EXPECT_EQ(*easy, 2);
    EXPECT_EQ(*hard, 0);
    EXPECT_FALSE(best->at(0).Verified || best->at(1).Verified);
    const auto found = db.Results().Names("aN", 10);
    ASSERT_TRUE(found) << found.Problem().toStdString();
    EXPECT_EQ(*found, std::vector<std::string>{"Ann"});
}

namespace {

// A game of Standart : Normal the scripted player plays as name, kept as the server kept it.
struct tKeptGame {
    tScoreRecord Record;
    tGameRecord Played;
};

tKeptGame Played(const std::string& name, uint32_t seed) {
    tTimedGame game({0, 1, 3, 4}, name, "07.03.05 21:15:00");
    std::mt19937 random(seed);
    PlayGame(game, tPlayStyle::Slide, 30, random);
    EndGame(game);
    tScoreRecord r{"Standart", "Normal", ResultOf(game.Game(), name)};
    r.StartMs = *StartTimeMs(r.Entry.StartTime);
    return {r, game.Record()};
}

class ScoreSchemaRecheck : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        QString address = Dir.filePath("scores.sqlite");
        if (std::string_view(GetParam()) == "postgresql") {
            if (tPgCluster::BinDir().isEmpty()) {
                GTEST_SKIP() << "PostgreSQL is not installed (bash tools/setup.sh installs it)";
            }
            QString problem;
            ASSERT_TRUE(Cluster.Start(problem)) << problem.toStdString();
            address = Cluster.Address();
        }
        Target = *ParseDatabaseTarget(address);
    }
    // A connection of this test's own, beside the server's.
    QSqlDatabase Raw() {
        const bool postgres = Target.Kind == tDatabaseTarget::tKind::PostgreSQL;
        QSqlDatabase db = QSqlDatabase::addDatabase(postgres ? "QPSQL" : "QSQLITE", "raw");
        db.setDatabaseName(Target.Name);
        db.setHostName(Target.Host);
        db.setPort(Target.Port);
        db.setUserName(Target.User);
        db.setPassword(Target.Password);
        EXPECT_TRUE(db.open()) << db.lastError().text().toStdString();
        return db;
    }

    QTemporaryDir Dir;
    tPgCluster Cluster;
    tDatabaseTarget Target;
};

TEST_P(ScoreSchemaRecheck, AVerifiedResultItsReplayNoLongerProvesLosesItsMarkKeepsItsReplayAndTheLogSaysWhy) {
    const tKeptGame ann = Played("Ann", 1);
    const tReplayProof proof = CheckReplay(ann.Record, EncodeReplay(ann.Played));
    ASSERT_EQ(proof.Verdict, tReplayVerdict::Proven) << proof.Problem;
    // Servers before took a replay of the format without times, and played it tick by tick.
    const tKeptGame bob = Played("Bob", 2);
    tGameRecord untimed = bob.Played;
    untimed.Timed = false;
    const tReplayKept untimedProof{EncodeReplay(untimed), proof.FinalWell, "a key of before"};
    // And Ann's game with one press more, under her name as the game folds it the same: the key of before was
    // the replay's bytes.
    tScoreRecord shouted = ann.Record;
    shouted.Entry.Name = "ANN";
    tGameRecord turnedBack = ann.Played;
    turnedBack.Presses.insert(turnedBack.Presses.begin(),
                              {turnedBack.Presses[0].Tick,
                               ActionBit(tAction::RotateRight) | ActionBit(tAction::RotateLeft),
                               turnedBack.Presses[0].TimeMs});
    {
        tScoreDatabase db(Target, "before");
        const tReplayKept annProof{EncodeReplay(ann.Played), proof.FinalWell, "another key of before"};
        const tReplayKept shoutedProof{EncodeReplay(turnedBack), proof.FinalWell, "a third key of before"};
        const tStoreResult<void> opened = db.Open();
        ASSERT_TRUE(opened) << opened.Problem().toStdString();
        for (const auto& [record, kept] :
             {std::pair<const tScoreRecord*, const tReplayKept*>{&ann.Record, &annProof},
              {&bob.Record, &untimedProof},
              {&shouted, &shoutedProof}}) {
            const auto stored = db.Results().Store(*record, kept);
            ASSERT_TRUE(stored) << stored.Problem().toStdString();
        }
    }
    {
        QSqlDatabase raw = Raw();
        QSqlQuery query(raw);
        for (const char* column : {"game_type", "difficulty", "name", "score", "start_time"}) {
            EXPECT_TRUE(query.exec(QString("ALTER TABLE moderation_log DROP COLUMN ") + column)) << column;
        }
        EXPECT_TRUE(query.exec("DELETE FROM schema_version WHERE version >= 6"));
        EXPECT_TRUE(query.exec("DROP TABLE name_search"));
        EXPECT_TRUE(query.exec("DROP INDEX results_verified"));
        // Nor had such a database the upload allowance that the processes on PostgreSQL share.
        if (Target.Kind == tDatabaseTarget::tKind::PostgreSQL) {
            EXPECT_TRUE(query.exec("DROP TABLE allowance")) << query.lastError().text().toStdString();
        }
    }
    QSqlDatabase::removeDatabase("raw");

    tScoreDatabase db(Target, "after");
    const tStoreResult<void> opened = db.Open();
    ASSERT_TRUE(opened) << opened.Problem().toStdString();
    const auto best = db.Results().Best("Standart", "Normal", 0, 10);
    ASSERT_TRUE(best && best->size() == 3u) << best.Problem().toStdString();
    for (const tScoreRecord& r : *best) {
        EXPECT_EQ(r.Verified, r.Entry.Name == "Ann") << r.Entry.Name;
    }
    const auto log = db.Moderation().Log();
    ASSERT_TRUE(log && log->size() == 2u) << log.Problem().toStdString();
    EXPECT_EQ(log->at(0).Action, kUnverifiedAction);
    // Logged before the log kept whose results it named, and told so by the results themselves.
    EXPECT_TRUE(log->at(0).Known && log->at(0).Name == "Bob" && log->at(0).GameType == "Standart")
        << log->at(0).Name;
    EXPECT_TRUE(log->at(0).Reason.find("older format") != std::string::npos) << log->at(0).Reason;
    EXPECT_EQ(log->at(1).Reason, "This game's replay already proves result 1; one game proves one result.");
    {
        QSqlDatabase raw = Raw();
        QSqlQuery query(raw);
        ASSERT_TRUE(query.exec("SELECT name, replay, game_key FROM results ORDER BY id"));
        ASSERT_TRUE(query.next());
        EXPECT_EQ(query.value(2).toString().toStdString(), proof.Game);
        ASSERT_TRUE(query.next());
        EXPECT_EQ(query.value(0).toByteArray(), "Bob");
        EXPECT_EQ(query.value(1).toByteArray().toStdString(), untimedProof.Replay);
        EXPECT_TRUE(query.value(2).isNull());
        EXPECT_EQ(query.exec("SELECT client, tokens, at FROM allowance"),
                  Target.Kind == tDatabaseTarget::tKind::PostgreSQL);
    }
    QSqlDatabase::removeDatabase("raw");
}

INSTANTIATE_TEST_SUITE_P(Databases, ScoreSchemaRecheck, ::testing::Values("sqlite", "postgresql"),
                         [](const auto& param) { return std::string(param.param); });

} // namespace
