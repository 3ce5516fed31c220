// SPDX-License-Identifier: GPL-3.0-or-later
#include "server/uScoreDatabase.h"
#include "storage/uHSEntry.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QVariant>
#include <gtest/gtest.h>

TEST(ScoreSchema, ADatabaseOfOlderServersGetsItsYearsMovedBackItsTablesCountedAndItsResultsUnverified) {
    QTemporaryDir dir;
    tDatabaseTarget target;
    target.Name = dir.filePath("scores.sqlite");
    QString problem;
    auto stored = [&](const char* start, int32_t score) {
        tScoreRecord r{
            "Standart", "Easy", {{start, "1:00", "1", "0", "9 [9,0/m]", "0 [0,0/m]"}, "Ann", 1, score}};
        r.StartMs = *StartTimeMs(start);
        return r;
    };
    {
        tScoreDatabase db(target, "now");
        ASSERT_TRUE(db.Open(problem) &&
                    db.StoreMany({stored("31.12.99 23:59:59", 1), stored("07.03.05 21:15:00", 2),
                                  stored("08.03.05 21:15:00", 3)},
                                 problem))
            << problem.toStdString();
    }
    {
        // The database as servers left it before the counts, the index of names and replays: 99 read as 2099,
        // and a hidden result that no count may take in.
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "before");
        db.setDatabaseName(target.Name);
        ASSERT_TRUE(db.open());
        QSqlQuery query(db);
        for (const char* statement :
             {"UPDATE results SET start_ms = 4102444799000 WHERE score = 1",
              "UPDATE results SET hidden = 1 WHERE score = 3", "DROP TRIGGER results_counted_insert",
              "DROP TRIGGER results_counted_delete", "DROP TRIGGER results_counted_hidden",
              "DROP TABLE table_counts", "DROP INDEX results_name",
              "ALTER TABLE results DROP COLUMN verified", "ALTER TABLE results DROP COLUMN replay",
              "ALTER TABLE results DROP COLUMN final_well", "DROP INDEX results_game",
              "ALTER TABLE results DROP COLUMN game_key", "DELETE FROM schema_version WHERE version >= 3"}) {
            EXPECT_TRUE(query.exec(statement)) << statement;
        }
    }
    QSqlDatabase::removeDatabase("before");
    tScoreDatabase db(target, "after");
    ASSERT_TRUE(db.Open(problem)) << problem.toStdString();
    const auto best = db.Best("Standart", "Easy", 0, 10, problem);
    ASSERT_TRUE(best && best->size() == 2u) << problem.toStdString();
    EXPECT_EQ(best->at(0).StartMs, *StartTimeMs("07.03.05 21:15:00"));
    EXPECT_EQ(best->at(1).StartMs, *StartTimeMs("31.12.1999 23:59:59"));
    EXPECT_EQ(db.TableCount("Standart", "Easy", problem), 2);
    EXPECT_EQ(db.TableCount("Standart", "Hard", problem), 0);
    EXPECT_FALSE(best->at(0).Verified || best->at(1).Verified);
}
