// SPDX-License-Identifier: GPL-3.0-or-later
#include "server/store/uDatabaseBackup.h"

#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace {

constexpr const char* kConnection = "backup";

tStoreResult<void> Copy(QSqlDatabase& db, const tDatabaseTarget& target, const QString& copy) {
    db.setDatabaseName(target.Name);
    // A server writing a result holds the file a moment; the copy waits for it rather than failing.
    db.setConnectOptions("QSQLITE_BUSY_TIMEOUT=5000");
    if (!db.open()) {
        return tStoreFailure{"The database could not be opened: " + db.lastError().text()};
    }
    // VACUUM INTO reads the whole database in one read transaction, so the copy is the database as one
    // moment left it, whatever the server commits meanwhile; the server's writes need not wait for it in
    // WAL mode. The online backup API would do the same with one step, at the price of linking SQLite
    // itself beside Qt's driver; taken in several steps it starts again after every write.
    QSqlQuery query(db);
    query.prepare("VACUUM INTO ?");
    query.addBindValue(copy);
    if (!query.exec()) {
        return tStoreFailure{"The database could not be copied: " + query.lastError().text()};
    }
    return {};
}

} // namespace

tStoreResult<void> BackUpDatabase(const tDatabaseTarget& target, const QString& copy) {
    if (target.Kind != tDatabaseTarget::tKind::SQLite) {
        return tStoreFailure{"backup copies an SQLite file; back up a PostgreSQL database with pg_dump, for "
                             "instance pg_dump --format=custom --file=FILE DBNAME."};
    }
    if (!QFileInfo(target.Name).isFile()) {
        return tStoreFailure{"There is no database file " + target.Name + " to back up."};
    }
    if (QFileInfo::exists(copy)) {
        return tStoreFailure{"The file " + copy +
                             " exists already; the backup is written to a new file only."};
    }
    tStoreResult<void> done;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", kConnection);
        if (!db.isValid()) {
            return tStoreFailure{"The Qt SQL driver for SQLite is not installed."};
        }
        done = Copy(db, target, copy);
        db.close();
    }
    QSqlDatabase::removeDatabase(kConnection);
    return done;
}
