// SPDX-License-Identifier: GPL-3.0-or-later
#include "server/uScoreDatabase.h"

#include "server/uResultColumns.h"
#include "server/uScoreSchema.h"

#include <QByteArray>
#include <QDateTime>
#include <QSqlError>
#include <QVariant>

namespace {

QString InsertStatement() {
    // The table, the fields, start_ms, received_ms and the proof.
    QStringList marks;
    for (size_t i = 0; i < 2 + kResultFields.size() + 2 + 4; ++i) {
        marks += "?";
    }
    return "INSERT INTO results (game_type, difficulty, " + ResultColumns("", ", ") +
           ", start_ms, received_ms, verified, replay, final_well, game_key) VALUES (" + marks.join(", ") +
           ") ON CONFLICT DO NOTHING RETURNING id";
}

QString FindStatement() {
    return "SELECT id, hidden, verified FROM results WHERE game_type = ? AND difficulty = ? AND " +
           ResultColumns(" = ?", " AND ");
}

// Two bounded counts that each follow the ranking index: the shown results with a higher score, and those
// with the same score that rank above (lower level, earlier start, or a full tie that came first).
constexpr const char* kRank =
    "SELECT (SELECT COUNT(*) FROM (SELECT 1 FROM results WHERE game_type = ? AND difficulty = ?"
    " AND hidden = 0 AND score > ? LIMIT ?) AS higher) + (SELECT COUNT(*) FROM (SELECT 1 FROM results"
    " WHERE game_type = ? AND difficulty = ? AND hidden = 0"
    " AND score = ? AND (level < ? OR (level = ? AND (start_ms < ? OR (start_ms = ? AND id < ?)))) LIMIT ?)"
    " AS tied)";
// What ReadRecord reads: the table, the fields, start_ms, id and verified.
QString RecordColumns() {
    return "game_type, difficulty, " + ResultColumns("", ", ") + ", start_ms, id, verified";
}
constexpr const char* kRankKeys = "score DESC, level, start_ms, id";
constexpr const char* kRankKeysReversed = "score, level DESC, start_ms DESC, id DESC";
// The ids of a table's results from rank offset + 1 on, read from the ranking index alone, which holds the id
// beside every key of the order; reversed, the same counted from the last rank.
QString RankedIdsStatement(const char* order = kRankKeys) {
    return QString("SELECT id FROM results WHERE game_type = ? AND difficulty = ? AND hidden = 0 ORDER BY ") +
           order + " LIMIT ? OFFSET ?";
}
// Only the page's own rows are read: a page deep in a large table skips index entries, not rows.
QString BestStatement(const char* order = kRankKeys) {
    return "SELECT " + RecordColumns() + " FROM results WHERE id IN (" + RankedIdsStatement(order) +
           ") ORDER BY " + kRankKeys;
}
QString FindStatementById() {
    return "SELECT " + RecordColumns() + " FROM results WHERE id = ? AND hidden = 0";
}
QString PlayerStatement() {
    return "SELECT " + RecordColumns() +
           " FROM results WHERE name = ? AND hidden = 0 ORDER BY game_type, difficulty, " + kRankKeys;
}
constexpr const char* kNames = "SELECT DISTINCT name FROM results WHERE hidden = 0 ORDER BY name";
constexpr const char* kTables =
    "SELECT game_type, difficulty, shown FROM table_counts WHERE shown > 0 ORDER BY game_type, difficulty";
constexpr const char* kTableCount = "SELECT shown FROM table_counts WHERE game_type = ? AND difficulty = ?";
constexpr const char* kCount = "SELECT COUNT(*) FROM results";
// The columns StoredAt reads, then a condition.
QString StoredStatement(const QString& condition) {
    return "SELECT id, hidden, game_type, difficulty, " + ResultColumns("", ", ") +
           ", start_ms FROM results" + condition;
}
// A result that came unverified and now comes again with its replay.
constexpr const char* kVerify =
    "UPDATE results SET verified = 1, replay = ?, final_well = ?, game_key = ? WHERE id = ?";
constexpr const char* kProven = "SELECT id FROM results WHERE game_key = ?";
constexpr const char* kProof =
    "SELECT replay, final_well FROM results WHERE id = ? AND hidden = 0 AND verified = 1";
constexpr const char* kLogEntry =
    "INSERT INTO moderation_log (at_ms, action, result_id, reason) VALUES (?, ?, ?, ?)";
constexpr const char* kLog = "SELECT at_ms, action, result_id, reason FROM moderation_log ORDER BY id";

QString Failed(const char* what, const QSqlQuery& query) {
    return QString("The database could not %1: %2").arg(what, query.lastError().text());
}

bool Run(QSqlQuery& query, const QString& statement, const QVariantList& values, const char* what,
         QString& problem) {
    query.setForwardOnly(true);
    if (!query.prepare(statement)) {
        problem = Failed(what, query);
        return false;
    }
    for (const QVariant& value : values) {
        query.addBindValue(value);
    }
    if (!query.exec()) {
        problem = Failed(what, query);
        return false;
    }
    return true;
}

QByteArray Bytes(const std::string& text) {
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

QVariant ColumnValue(tResultForm form, const std::string& text) {
    switch (form) {
    case tResultForm::CodePageText:
        return Bytes(text);
    case tResultForm::Number:
    case tResultForm::NumberText:
        return Text(text).toInt();
    case tResultForm::Text:
        break;
    }
    return Text(text);
}

// A row of StoredStatement.
tStoredResult StoredAt(const QSqlQuery& query) {
    return {
        query.value(0).toLongLong(), query.value(1).toInt() != 0,
        RecordAt(query, 4, query.value(2).toString().toStdString(), query.value(3).toString().toStdString())};
}

QString Utf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

tScoreRecord ReadRecord(const QSqlQuery& query) {
    tScoreRecord r =
        RecordAt(query, 2, query.value(0).toString().toStdString(), query.value(1).toString().toStdString());
    r.Id = query.value(static_cast<int>(kResultFields.size() + 3)).toLongLong();
    r.Verified = query.value(static_cast<int>(kResultFields.size() + 4)).toInt() != 0;
    return r;
}

// Reads every row and ends the statement, so that a prepared query can run again.
std::vector<tScoreRecord> ReadAll(QSqlQuery& query) {
    std::vector<tScoreRecord> records;
    while (query.next()) {
        records.push_back(ReadRecord(query));
    }
    query.finish();
    return records;
}

// A statement run once with its values; a failed prepare shows as a failed exec.
bool Select(QSqlQuery& query, const QString& statement, const QVariantList& values) {
    query.setForwardOnly(true);
    query.prepare(statement);
    for (const QVariant& value : values) {
        query.addBindValue(value);
    }
    return query.exec();
}

// The proof's columns; an unverified result has none.
QVariantList ProofValues(const tReplayKept* proof) {
    if (proof == nullptr) {
        return {0, QVariant(QMetaType::fromType<QByteArray>()), QVariant(QMetaType::fromType<QString>()),
                QVariant(QMetaType::fromType<QString>())};
    }
    return {1, Bytes(proof->Replay), Text(proof->FinalWell), Text(proof->Game)};
}

// The values of the UNIQUE constraint, in its order.
void BindIdentity(QSqlQuery& query, const tScoreRecord& r) {
    query.addBindValue(Text(r.GameType));
    query.addBindValue(Text(r.Difficulty));
    const tResultValues values = ValuesOf(r.Entry);
    for (const tResultFieldSpec& f : kResultFields) {
        query.addBindValue(ColumnValue(f.Form, values[f.Field]));
    }
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

tScoreDatabase::tScoreDatabase(tDatabaseTarget target, QString connection)
    : Target(std::move(target)), Connection(std::move(connection)) {}

tScoreDatabase::~tScoreDatabase() {
    InsertQuery = QSqlQuery();
    FindQuery = QSqlQuery();
    RankQuery = QSqlQuery();
    BestQuery = QSqlQuery();
    BestFromEndQuery = QSqlQuery();
    TableCountQuery = QSqlQuery();
    const bool added = Db.isValid();
    Db.close();
    Db = QSqlDatabase();
    if (added) {
        QSqlDatabase::removeDatabase(Connection);
    }
}

bool tScoreDatabase::Open(QString& problem) {
    const bool postgres = Target.Kind == tDatabaseTarget::tKind::PostgreSQL;
    Db = QSqlDatabase::addDatabase(postgres ? "QPSQL" : "QSQLITE", Connection);
    if (!Db.isValid()) {
        problem =
            QString("The Qt SQL driver for %1 is not installed.").arg(postgres ? "PostgreSQL" : "SQLite");
        return false;
    }
    Db.setDatabaseName(Target.Name);
    if (postgres) {
        Db.setHostName(Target.Host);
        Db.setPort(Target.Port);
        Db.setUserName(Target.User);
        Db.setPassword(Target.Password);
        Db.setConnectOptions("connect_timeout=10");
    } else {
        // Another server or a reader holding the file waits a moment instead of failing the request.
        Db.setConnectOptions("QSQLITE_BUSY_TIMEOUT=5000");
    }
    if (!Db.open()) {
        problem = "The database could not be opened: " + Db.lastError().text();
        return false;
    }
    if (!postgres) {
        // WAL lets pages be read while a result is written; NORMAL syncs at checkpoints only, which keeps
        // every committed result through a crash of the server, though not through a power cut.
        QSqlQuery pragma(Db);
        if (!pragma.exec("PRAGMA journal_mode = WAL") || !pragma.next() ||
            pragma.value(0).toString().compare("wal", Qt::CaseInsensitive) != 0 ||
            !pragma.exec("PRAGMA synchronous = NORMAL")) {
            problem = "The SQLite file could not be switched to WAL mode: " + pragma.lastError().text();
            return false;
        }
    }
    return MigrateSchema(Db, postgres, problem) && Prepare(InsertQuery, InsertStatement(), problem) &&
           Prepare(FindQuery, FindStatement(), problem) && Prepare(RankQuery, kRank, problem) &&
           Prepare(BestQuery, BestStatement(), problem) &&
           Prepare(BestFromEndQuery, BestStatement(kRankKeysReversed), problem) &&
           Prepare(TableCountQuery, kTableCount, problem);
}

bool tScoreDatabase::Prepare(QSqlQuery& query, const QString& statement, QString& problem) {
    query = QSqlQuery(Db);
    query.setForwardOnly(true);
    if (!query.prepare(statement)) {
        problem = Failed("prepare a statement", query);
        return false;
    }
    return true;
}

bool tScoreDatabase::Insert(const tScoreRecord& r, const tReplayKept* proof, std::optional<int64_t>& id,
                            QString& problem) {
    BindIdentity(InsertQuery, r);
    InsertQuery.addBindValue(static_cast<qlonglong>(r.StartMs));
    InsertQuery.addBindValue(QDateTime::currentMSecsSinceEpoch());
    for (const QVariant& value : ProofValues(proof)) {
        InsertQuery.addBindValue(value);
    }
    if (!InsertQuery.exec()) {
        problem = Failed("store the result", InsertQuery);
        return false;
    }
    id.reset();
    if (InsertQuery.next()) {
        id = InsertQuery.value(0).toLongLong();
    }
    // Ends the statement, which for SQLite also ends its write transaction.
    InsertQuery.finish();
    return true;
}

std::optional<tStoreOutcome> tScoreDatabase::Store(const tScoreRecord& record, QString& problem,
                                                   const tReplayKept* proof) {
    // The result the replay's game proves already, if any.
    std::optional<int64_t> prover;
    if (proof != nullptr) {
        QSqlQuery proven(Db);
        if (!Run(proven, kProven, {Text(proof->Game)}, "look for the replay's game", problem)) {
            return std::nullopt;
        }
        if (proven.next()) {
            prover = proven.value(0).toLongLong();
        }
    }
    std::optional<int64_t> id;
    if (!Insert(record, proof, id, problem)) {
        return std::nullopt;
    }
    tStoreOutcome outcome;
    outcome.Fresh = id.has_value();
    outcome.Verified = proof != nullptr;
    if (!id) {
        BindIdentity(FindQuery, record);
        if (!FindQuery.exec()) {
            problem = Failed("find the stored result", FindQuery);
            return std::nullopt;
        }
        if (!FindQuery.next()) {
            FindQuery.finish();
            // Not stored for want of its own game: another result holds that.
            if (prover) {
                outcome.ProvenBefore = prover;
                return outcome;
            }
            problem = Failed("find the stored result", FindQuery);
            return std::nullopt;
        }
        id = FindQuery.value(0).toLongLong();
        outcome.Hidden = FindQuery.value(1).toInt() != 0;
        const bool verified = FindQuery.value(2).toInt() != 0;
        FindQuery.finish();
        if (proof != nullptr && !verified && prover && *prover != *id) {
            outcome.ProvenBefore = prover;
            return outcome;
        }
        // A result first sent by a game without replays is verified when its replay comes.
        QSqlQuery verify(Db);
        if (proof != nullptr && !verified &&
            !Run(verify, kVerify,
                 {Bytes(proof->Replay), Text(proof->FinalWell), Text(proof->Game),
                  static_cast<qlonglong>(*id)},
                 "keep the replay", problem)) {
            return std::nullopt;
        }
        outcome.Verified = verified || proof != nullptr;
    }
    if (outcome.Hidden) {
        return outcome;
    }
    const std::optional<int64_t> above = RankOf(record, *id, problem);
    if (!above) {
        return std::nullopt;
    }
    outcome.Rank = std::min(*above, kRankLimit) + 1;
    return outcome;
}

std::optional<int64_t> tScoreDatabase::Rank(const tScoreRecord& record, QString& problem) {
    const std::optional<int64_t> above = RankOf(record, record.Id, problem);
    if (!above) {
        return std::nullopt;
    }
    return std::min(*above, kRankLimit) + 1;
}

std::optional<int64_t> tScoreDatabase::RankOf(const tScoreRecord& r, int64_t id, QString& problem) {
    const QString gameType = Text(r.GameType);
    const QString difficulty = Text(r.Difficulty);
    const auto limit = static_cast<qlonglong>(kRankLimit);
    for (const QVariant& value :
         {QVariant(gameType), QVariant(difficulty), QVariant(r.Entry.Score), QVariant(limit),
          QVariant(gameType), QVariant(difficulty), QVariant(r.Entry.Score), QVariant(r.Entry.Level),
          QVariant(r.Entry.Level), QVariant(static_cast<qlonglong>(r.StartMs)),
          QVariant(static_cast<qlonglong>(r.StartMs)), QVariant(static_cast<qlonglong>(id)),
          QVariant(limit)}) {
        RankQuery.addBindValue(value);
    }
    if (!RankQuery.exec() || !RankQuery.next()) {
        problem = Failed("rank the result", RankQuery);
        return std::nullopt;
    }
    const int64_t above = RankQuery.value(0).toLongLong();
    RankQuery.finish();
    return above;
}

std::optional<std::vector<tScoreRecord>> tScoreDatabase::Best(std::string_view gameType,
                                                              std::string_view difficulty, int64_t offset,
                                                              int64_t limit, QString& problem) {
    return ReadBest(BestQuery, gameType, difficulty, offset, limit, problem);
}

std::optional<std::vector<tScoreRecord>> tScoreDatabase::BestFromEnd(std::string_view gameType,
                                                                     std::string_view difficulty,
                                                                     int64_t offsetFromEnd, int64_t limit,
                                                                     QString& problem) {
    return ReadBest(BestFromEndQuery, gameType, difficulty, offsetFromEnd, limit, problem);
}

std::optional<std::vector<tScoreRecord>> tScoreDatabase::ReadBest(QSqlQuery& query, std::string_view gameType,
                                                                  std::string_view difficulty, int64_t offset,
                                                                  int64_t limit, QString& problem) {
    for (const QVariant& value :
         {QVariant(Utf8(gameType)), QVariant(Utf8(difficulty)), QVariant(static_cast<qlonglong>(limit)),
          QVariant(static_cast<qlonglong>(offset))}) {
        query.addBindValue(value);
    }
    if (!query.exec()) {
        problem = Failed("read the table", query);
        return std::nullopt;
    }
    return ReadAll(query);
}

std::optional<std::vector<int64_t>> tScoreDatabase::BestIds(std::string_view gameType,
                                                            std::string_view difficulty, int64_t limit,
                                                            QString& problem) {
    QSqlQuery query(Db);
    if (!Select(query, RankedIdsStatement(),
                {Utf8(gameType), Utf8(difficulty), static_cast<qlonglong>(limit), 0})) {
        problem = Failed("read the table", query);
        return std::nullopt;
    }
    std::vector<int64_t> ids;
    while (query.next()) {
        ids.push_back(query.value(0).toLongLong());
    }
    return ids;
}

bool tScoreDatabase::FindProof(int64_t id, std::optional<tReplayKept>& proof, QString& problem) {
    QSqlQuery query(Db);
    if (!Run(query, kProof, {static_cast<qlonglong>(id)}, "find the replay", problem)) {
        return false;
    }
    proof.reset();
    if (query.next()) {
        proof = tReplayKept{
            query.value(0).toByteArray().toStdString(), query.value(1).toString().toStdString(), {}};
    }
    return true;
}

bool tScoreDatabase::Find(int64_t id, std::optional<tScoreRecord>& found, QString& problem) {
    QSqlQuery query(Db);
    if (!Select(query, FindStatementById(), {static_cast<qlonglong>(id)})) {
        problem = Failed("find the result", query);
        return false;
    }
    found.reset();
    if (query.next()) {
        found = ReadRecord(query);
    }
    return true;
}

std::optional<std::vector<tScoreRecord>> tScoreDatabase::OfPlayer(std::string_view name, QString& problem) {
    QSqlQuery query(Db);
    if (!Select(query, PlayerStatement(), {QByteArray(name.data(), static_cast<qsizetype>(name.size()))})) {
        problem = Failed("read the player's results", query);
        return std::nullopt;
    }
    return ReadAll(query);
}

std::optional<std::vector<std::string>>
tScoreDatabase::Names(const std::function<bool(std::string_view name)>& wanted, size_t limit,
                      QString& problem) {
    QSqlQuery query(Db);
    if (!Select(query, kNames, {})) {
        problem = Failed("list the names", query);
        return std::nullopt;
    }
    std::vector<std::string> names;
    while (names.size() < limit && query.next()) {
        const QByteArray name = query.value(0).toByteArray();
        const std::string_view view(name.constData(), static_cast<size_t>(name.size()));
        if (wanted(view)) {
            names.emplace_back(view);
        }
    }
    return names;
}

std::optional<std::vector<tTableSize>> tScoreDatabase::Tables(QString& problem) {
    QSqlQuery query(Db);
    query.setForwardOnly(true);
    if (!query.exec(kTables)) {
        problem = Failed("list the tables", query);
        return std::nullopt;
    }
    std::vector<tTableSize> tables;
    while (query.next()) {
        tables.push_back({query.value(0).toString().toStdString(), query.value(1).toString().toStdString(),
                          query.value(2).toLongLong()});
    }
    return tables;
}

std::optional<int64_t> tScoreDatabase::TableCount(std::string_view gameType, std::string_view difficulty,
                                                  QString& problem) {
    TableCountQuery.addBindValue(Utf8(gameType));
    TableCountQuery.addBindValue(Utf8(difficulty));
    if (!TableCountQuery.exec()) {
        problem = Failed("count the table", TableCountQuery);
        return std::nullopt;
    }
    // A table nobody has played yet has no count.
    const int64_t count = TableCountQuery.next() ? TableCountQuery.value(0).toLongLong() : 0;
    TableCountQuery.finish();
    return count;
}

std::optional<int64_t> tScoreDatabase::Count(QString& problem) {
    QSqlQuery query(Db);
    if (!query.exec(kCount) || !query.next()) {
        problem = Failed("count the results", query);
        return std::nullopt;
    }
    return query.value(0).toLongLong();
}

bool tScoreDatabase::StoreMany(const std::vector<tScoreRecord>& records, QString& problem) {
    if (!Db.transaction()) {
        problem = "The database could not begin a transaction: " + Db.lastError().text();
        return false;
    }
    std::optional<int64_t> id;
    for (const tScoreRecord& record : records) {
        if (!Insert(record, nullptr, id, problem)) {
            Db.rollback();
            return false;
        }
    }
    if (!Db.commit()) {
        problem = "The database could not commit: " + Db.lastError().text();
        return false;
    }
    return true;
}

std::optional<std::vector<tStoredResult>> tScoreDatabase::ResultsOf(const std::string& name,
                                                                    QString& problem) {
    QSqlQuery query(Db);
    if (!Run(query,
             StoredStatement(
                 " WHERE name = ? ORDER BY game_type, difficulty, score DESC, level, start_ms, id"),
             {Bytes(name)}, "list the results of a name", problem)) {
        return std::nullopt;
    }
    std::vector<tStoredResult> results;
    while (query.next()) {
        results.push_back(StoredAt(query));
    }
    return results;
}

std::optional<tModerated> tScoreDatabase::Moderate(int64_t id, tModeration action, const std::string& reason,
                                                   QString& problem) {
    const bool postgres = Target.Kind == tDatabaseTarget::tKind::PostgreSQL;
    QSqlQuery begin(Db);
    // IMMEDIATE takes SQLite's write lock at once, so the result read is still the one changed.
    if (!begin.exec(postgres ? "BEGIN" : "BEGIN IMMEDIATE")) {
        problem = Failed("begin a transaction", begin);
        return std::nullopt;
    }
    tModerated moderated;
    const bool done = ApplyModeration(id, action, reason, moderated, problem);
    QSqlQuery end(Db);
    if (!end.exec(done ? "COMMIT" : "ROLLBACK") && done) {
        problem = Failed("commit the moderation", end);
        return std::nullopt;
    }
    if (!done) {
        return std::nullopt;
    }
    return moderated;
}

bool tScoreDatabase::ApplyModeration(int64_t id, tModeration action, const std::string& reason,
                                     tModerated& moderated, QString& problem) {
    const auto key = static_cast<qlonglong>(id);
    const bool postgres = Target.Kind == tDatabaseTarget::tKind::PostgreSQL;
    QSqlQuery find(Db);
    // PostgreSQL locks the row, so two moderators at once cannot both find it as it was.
    if (!Run(find, StoredStatement(postgres ? " WHERE id = ? FOR UPDATE" : " WHERE id = ?"), {key},
             "find the result", problem)) {
        return false;
    }
    if (find.next()) {
        moderated.Before = StoredAt(find);
    }
    find.finish();
    const std::optional<tStoredResult>& before = moderated.Before;
    if (!before || (action != tModeration::Remove && before->Hidden == (action == tModeration::Hide))) {
        return true;
    }
    moderated.Changed = true;
    QSqlQuery change(Db);
    const bool changed =
        action == tModeration::Remove
            ? Run(change, "DELETE FROM results WHERE id = ?", {key}, "remove the result", problem)
            : Run(change, "UPDATE results SET hidden = ? WHERE id = ?",
                  {action == tModeration::Hide ? 1 : 0, key}, "change the result", problem);
    QSqlQuery log(Db);
    return changed && Run(log, kLogEntry,
                          {QDateTime::currentMSecsSinceEpoch(), QString::fromUtf8(ModerationName(action)),
                           key, QString::fromStdString(reason)},
                          "log the moderation", problem);
}

std::optional<std::vector<tModerationEntry>> tScoreDatabase::ModerationLog(QString& problem) {
    QSqlQuery query(Db);
    if (!Run(query, kLog, {}, "read the moderation log", problem)) {
        return std::nullopt;
    }
    std::vector<tModerationEntry> entries;
    while (query.next()) {
        entries.push_back({query.value(0).toLongLong(), query.value(1).toString().toStdString(),
                           query.value(2).toLongLong(), query.value(3).toString().toStdString()});
    }
    return entries;
}
