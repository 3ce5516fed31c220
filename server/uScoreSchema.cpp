// SPDX-License-Identifier: GPL-3.0-or-later
#include "server/uScoreSchema.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

namespace {

// Any number, as long as no other program takes PostgreSQL's advisory lock with it.
constexpr const char* kMigrationLock = "SELECT pg_advisory_xact_lock(5872014)";

// The statements of step n (1-based). {key} stands for the dialect's key column, {bytes} for its byte
// string type.
QStringList StepStatements(int step) {
    switch (step) {
    case 1:
        return {
            "CREATE TABLE results ("
            " id {key},"
            " game_type TEXT NOT NULL,"
            " difficulty TEXT NOT NULL,"
            " name {bytes} NOT NULL,"
            " level INTEGER NOT NULL,"
            " score INTEGER NOT NULL,"
            " start_time TEXT NOT NULL,"
            " start_ms BIGINT NOT NULL,"
            " play_time TEXT NOT NULL,"
            " start_level INTEGER NOT NULL,"
            " broken_lines INTEGER NOT NULL,"
            " figures TEXT NOT NULL,"
            " cleared TEXT NOT NULL,"
            " received_ms BIGINT NOT NULL,"
            " UNIQUE (game_type, difficulty, name, level, score, start_time, play_time, start_level,"
            "         broken_lines, figures, cleared))",
            "CREATE INDEX results_rank ON results (game_type, difficulty, score DESC, level, start_ms, id)",
        };
    default:
        return {};
    }
}

bool Run(QSqlQuery& query, const QString& statement, QString& problem) {
    if (!query.exec(statement)) {
        problem = "The schema could not be set up: " + query.lastError().text();
        return false;
    }
    return true;
}

bool TakeSteps(QSqlDatabase& db, bool postgres, QString& problem) {
    QSqlQuery query(db);
    if (postgres && !Run(query, kMigrationLock, problem)) {
        return false;
    }
    if (!Run(query, "CREATE TABLE IF NOT EXISTS schema_version (version INTEGER NOT NULL)", problem) ||
        !Run(query, "SELECT MAX(version) FROM schema_version", problem)) {
        return false;
    }
    const int current = query.next() ? query.value(0).toInt() : 0;
    if (current > kSchemaVersion) {
        problem = QString("The database has schema version %1; this server knows versions up to %2.")
                      .arg(current)
                      .arg(kSchemaVersion);
        return false;
    }
    const QString keyColumn =
        postgres ? "BIGINT GENERATED ALWAYS AS IDENTITY PRIMARY KEY" : "INTEGER PRIMARY KEY AUTOINCREMENT";
    const QString bytesType = postgres ? "BYTEA" : "BLOB";
    for (int step = current + 1; step <= kSchemaVersion; ++step) {
        for (const QString& statement : StepStatements(step)) {
            if (!Run(query, QString(statement).replace("{key}", keyColumn).replace("{bytes}", bytesType),
                     problem)) {
                return false;
            }
        }
        QSqlQuery record(db);
        record.prepare("INSERT INTO schema_version (version) VALUES (?)");
        record.addBindValue(step);
        if (!record.exec()) {
            problem = "The schema version could not be recorded: " + record.lastError().text();
            return false;
        }
    }
    return true;
}

} // namespace

bool MigrateSchema(QSqlDatabase& db, bool postgres, QString& problem) {
    QSqlQuery begin(db);
    // IMMEDIATE takes SQLite's write lock at once, so two servers on one file cannot both read version 0.
    if (!Run(begin, postgres ? "BEGIN" : "BEGIN IMMEDIATE", problem)) {
        return false;
    }
    const bool done = TakeSteps(db, postgres, problem);
    QSqlQuery end(db);
    if (!end.exec(done ? "COMMIT" : "ROLLBACK") && done) {
        problem = "The schema could not be committed: " + end.lastError().text();
        return false;
    }
    return done;
}
