// SPDX-License-Identifier: GPL-3.0-or-later
#include "server/store/uModerationStore.h"

#include "server/store/uResultColumns.h"
#include "server/store/uScoreSchema.h"
#include "server/store/uStoreStatements.h"

#include <QDateTime>
#include <QSqlQuery>
#include <QVariant>

namespace {

// The columns StoredAt reads, then a condition.
QString StoredStatement(const QString& condition) {
    return "SELECT id, hidden, game_type, difficulty, " + ResultColumns("", ", ") +
           ", start_ms FROM results" + condition;
}
QString LogEntryStatement() {
    return "INSERT INTO moderation_log (at_ms, action, result_id, reason, " + LoggedColumns() +
           ") VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)";
}
QString LogStatement() {
    return "SELECT at_ms, action, result_id, reason, " + LoggedColumns() + " FROM moderation_log ORDER BY id";
}

// A row of StoredStatement.
tStoredResult StoredAt(const QSqlQuery& query) {
    return {
        query.value(0).toLongLong(), query.value(1).toInt() != 0,
        RecordAt(query, 4, query.value(2).toString().toStdString(), query.value(3).toString().toStdString())};
}

} // namespace

std::string_view ModerationName(tModeration action) {
    switch (action) {
    case tModeration::Hide:
        return "hide";
    case tModeration::Unhide:
        return "unhide";
    case tModeration::Remove:
        break;
    }
    return "remove";
}

tModerationStore::tModerationStore(QSqlDatabase& db, bool postgres) : Db(db), Postgres(postgres) {}

tStoreResult<std::vector<tStoredResult>> tModerationStore::ResultsOf(const std::string& name) {
    QSqlQuery query(Db);
    if (tStoreResult<void> ran =
            Run(query,
                StoredStatement(
                    " WHERE name = ? ORDER BY game_type, difficulty, score DESC, level, start_ms, id"),
                {Bytes(name)}, "list the results of a name");
        !ran) {
        return ran.Failure();
    }
    std::vector<tStoredResult> results;
    while (query.next()) {
        results.push_back(StoredAt(query));
    }
    return results;
}

tStoreResult<tModerated> tModerationStore::Moderate(int64_t id, tModeration action,
                                                    const std::string& reason) {
    QSqlQuery begin(Db);
    // IMMEDIATE takes SQLite's write lock at once, so the result read is still the one changed.
    if (!begin.exec(Postgres ? "BEGIN" : "BEGIN IMMEDIATE")) {
        return StatementFailed("begin a transaction", begin);
    }
    tStoreResult<tModerated> moderated = Apply(id, action, reason);
    QSqlQuery end(Db);
    if (!end.exec(moderated ? "COMMIT" : "ROLLBACK") && moderated) {
        return StatementFailed("commit the moderation", end);
    }
    return moderated;
}

tStoreResult<tModerated> tModerationStore::Apply(int64_t id, tModeration action, const std::string& reason) {
    const auto key = static_cast<qlonglong>(id);
    QSqlQuery find(Db);
    // PostgreSQL locks the row, so two moderators at once cannot both find it as it was.
    if (tStoreResult<void> found =
            Run(find, StoredStatement(Postgres ? " WHERE id = ? FOR UPDATE" : " WHERE id = ?"), {key},
                "find the result");
        !found) {
        return found.Failure();
    }
    tModerated moderated;
    if (find.next()) {
        moderated.Before = StoredAt(find);
    }
    find.finish();
    const std::optional<tStoredResult>& before = moderated.Before;
    if (!before || (action != tModeration::Remove && before->Hidden == (action == tModeration::Hide))) {
        return moderated;
    }
    moderated.Changed = true;
    QSqlQuery change(Db);
    const tStoreResult<void> changed =
        action == tModeration::Remove
            ? Run(change, "DELETE FROM results WHERE id = ?", {key}, "remove the result")
            : Run(change, "UPDATE results SET hidden = ? WHERE id = ?",
                  {action == tModeration::Hide ? 1 : 0, key}, "change the result");
    if (!changed) {
        return changed.Failure();
    }
    QSqlQuery log(Db);
    const tScoreRecord& r = before->Record;
    if (tStoreResult<void> logged =
            Run(log, LogEntryStatement(),
                {QDateTime::currentMSecsSinceEpoch(), QString::fromUtf8(ModerationName(action)), key,
                 Text(reason), Text(r.GameType), Text(r.Difficulty), Bytes(r.Entry.Name), r.Entry.Score,
                 Text(r.Entry.StartTime)},
                "log the moderation");
        !logged) {
        return logged.Failure();
    }
    return moderated;
}

tStoreResult<std::vector<tModerationEntry>> tModerationStore::Log() {
    QSqlQuery query(Db);
    if (tStoreResult<void> ran = Run(query, LogStatement(), {}, "read the moderation log"); !ran) {
        return ran.Failure();
    }
    std::vector<tModerationEntry> entries;
    while (query.next()) {
        entries.push_back({query.value(0).toLongLong(), query.value(1).toString().toStdString(),
                           query.value(2).toLongLong(), query.value(3).toString().toStdString(),
                           !query.value(4).isNull(), query.value(4).toString().toStdString(),
                           query.value(5).toString().toStdString(),
                           query.value(6).toByteArray().toStdString(), query.value(7).toInt(),
                           query.value(8).toString().toStdString()});
    }
    return entries;
}
