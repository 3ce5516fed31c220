// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The stored results: one SQLite file or one PostgreSQL database, opened once per server process, its schema
// brought up to date, and the stores on it: the results the server serves, what the moderators do and, on
// PostgreSQL, the upload allowance the server processes share.

#include "server/store/uAllowanceStore.h"
#include "server/store/uDatabaseTarget.h"
#include "server/store/uModerationStore.h"
#include "server/store/uResultStore.h"
#include "server/store/uStoreResult.h"

#include <QSqlDatabase>
#include <QString>

class tScoreDatabase {
public:
    // connection names the Qt SQL connection; two objects in one process need two names.
    tScoreDatabase(tDatabaseTarget target, QString connection);
    tScoreDatabase(const tScoreDatabase&) = delete;
    tScoreDatabase& operator=(const tScoreDatabase&) = delete;

    // Connects, creates or migrates the schema and makes the stores ready.
    tStoreResult<void> Open();
    tResultStore& Results() { return ResultStore; }
    tModerationStore& Moderation() { return ModerationStore; }
    // Ready once Prepare has been called after Open; PostgreSQL alone has its table.
    tAllowanceStore& Allowance() { return AllowanceStore; }
    // Folds SQLite's write-ahead log into the file and empties it, so that a stopped server leaves one file
    // whole; PostgreSQL keeps its own log and needs nothing.
    tStoreResult<void> Checkpoint();

private:
    // Closed and let go after the stores, whose statements need it until they are gone.
    struct tConnection {
        QString Name;
        QSqlDatabase Db;
        ~tConnection();
    };

    tDatabaseTarget Target;
    tConnection Connection;
    tResultStore ResultStore;
    tModerationStore ModerationStore;
    tAllowanceStore AllowanceStore;
};
