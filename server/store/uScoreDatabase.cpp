// SPDX-License-Identifier: GPL-3.0-or-later
#include "server/store/uScoreDatabase.h"

#include "server/store/uScoreSchema.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

tScoreDatabase::tConnection::~tConnection() {
    const bool added = Db.isValid();
    Db.close();
    Db = QSqlDatabase();
    if (added) {
        QSqlDatabase::removeDatabase(Name);
    }
}

tScoreDatabase::tScoreDatabase(tDatabaseTarget target, QString connection)
    : Target(std::move(target)), Connection{std::move(connection), {}}, ResultStore(Connection.Db),
      ModerationStore(Connection.Db, Target.Kind == tDatabaseTarget::tKind::PostgreSQL),
      AllowanceStore(Connection.Db) {}

tStoreResult<void> tScoreDatabase::Open() {
    const bool postgres = Target.Kind == tDatabaseTarget::tKind::PostgreSQL;
    QSqlDatabase& db = Connection.Db;
    db = QSqlDatabase::addDatabase(postgres ? "QPSQL" : "QSQLITE", Connection.Name);
    if (!db.isValid()) {
        return tStoreFailure{
            QString("The Qt SQL driver for %1 is not installed.").arg(postgres ? "PostgreSQL" : "SQLite")};
    }
    db.setDatabaseName(Target.Name);
    if (postgres) {
        db.setHostName(Target.Host);
        db.setPort(Target.Port);
        db.setUserName(Target.User);
        db.setPassword(Target.Password);
        db.setConnectOptions("connect_timeout=10");
    } else {
        // Another server or a reader holding the file waits a moment instead of failing the request.
        db.setConnectOptions("QSQLITE_BUSY_TIMEOUT=5000");
    }
    if (!db.open()) {
        return tStoreFailure{"The database could not be opened: " + db.lastError().text()};
    }
    if (!postgres) {
        // WAL lets pages be read while a result is written; NORMAL syncs at checkpoints only, which keeps
        // every committed result through a crash of the server, though not through a power cut. A log that
        // grew past its size limit (a long backup held the checkpoints off, or many results came in one
        // transaction) is cut back to it once checkpointed.
        QSqlQuery pragma(db);
        if (!pragma.exec("PRAGMA journal_mode = WAL") || !pragma.next() ||
            pragma.value(0).toString().compare("wal", Qt::CaseInsensitive) != 0 ||
            !pragma.exec("PRAGMA synchronous = NORMAL") ||
            !pragma.exec("PRAGMA journal_size_limit = 4194304")) {
            return tStoreFailure{"The SQLite file could not be switched to WAL mode: " +
                                 pragma.lastError().text()};
        }
    }
    if (tStoreResult<void> migrated = MigrateSchema(db, postgres); !migrated) {
        return migrated;
    }
    return ResultStore.Prepare();
}

tStoreResult<void> tScoreDatabase::Checkpoint() {
    if (Target.Kind == tDatabaseTarget::tKind::PostgreSQL) {
        return {};
    }
    QSqlQuery query(Connection.Db);
    if (!query.exec("PRAGMA wal_checkpoint(TRUNCATE)")) {
        return tStoreFailure{"The SQLite file could not be checkpointed: " + query.lastError().text()};
    }
    return {};
}
