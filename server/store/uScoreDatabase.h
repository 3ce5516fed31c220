// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The stored results: one SQLite file or one PostgreSQL database, opened once per server process, its schema
// brought up to date, and the two stores on it: the results the server serves and what the moderators do.

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
};
