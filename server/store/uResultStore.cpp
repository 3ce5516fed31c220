// SPDX-License-Identifier: GPL-3.0-or-later
#include "server/store/uResultStore.h"

#include "platform/uCodePage.h"
#include "server/store/uNameSearch.h"
#include "server/store/uResultColumns.h"
#include "server/store/uScoreSchema.h"
#include "server/store/uStoreStatements.h"

#include <QByteArray>
#include <QDateTime>
#include <QSqlError>
#include <QVariant>

#include <algorithm>
#include <unordered_set>

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
// Newest first from the end of the index on (verified, id).
QString LatestVerifiedStatement() {
    return "SELECT " + RecordColumns() +
           " FROM results WHERE verified = 1 AND hidden = 0 ORDER BY verified DESC, id DESC LIMIT ?";
}
QString PlayerStatement() {
    return "SELECT " + RecordColumns() +
           " FROM results WHERE name = ? AND hidden = 0 ORDER BY game_type, difficulty, " + kRankKeys;
}
// The index's keys in a range, read in its order, each of a name with a shown result; bounded means the
// range has an end.
QString NamesStatement(bool bounded) {
    return QString("SELECT s.name FROM name_search s WHERE s.folded >= ?") +
           (bounded ? " AND s.folded < ?" : "") +
           " AND EXISTS (SELECT 1 FROM results r WHERE r.name = s.name AND r.hidden = 0)"
           " ORDER BY s.folded, s.name LIMIT ?";
}
constexpr size_t kSearchRowsPerName = 4;
constexpr const char* kTables =
    "SELECT game_type, difficulty, shown FROM table_counts WHERE shown > 0 ORDER BY game_type, difficulty";
constexpr const char* kTableCount = "SELECT shown FROM table_counts WHERE game_type = ? AND difficulty = ?";
constexpr const char* kCount = "SELECT COUNT(*) FROM results";
// A result that came unverified and now comes again with its replay.
constexpr const char* kVerify =
    "UPDATE results SET verified = 1, replay = ?, final_well = ?, game_key = ? WHERE id = ?";
constexpr const char* kProven = "SELECT id FROM results WHERE game_key = ?";
constexpr const char* kProof =
    "SELECT replay, final_well FROM results WHERE id = ? AND hidden = 0 AND verified = 1";

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

// The result whose replay played this game; none when no stored result's did.
tStoreResult<std::optional<int64_t>> Prover(QSqlDatabase& db, const std::string& game) {
    QSqlQuery proven(db);
    if (tStoreResult<void> ran = Run(proven, kProven, {Text(game)}, "look for the replay's game"); !ran) {
        return ran.Failure();
    }
    return proven.next() ? std::optional<int64_t>(proven.value(0).toLongLong()) : std::nullopt;
}

// A statement refused because a row of the same unique key is there: SQLite says so in its text,
// PostgreSQL by its state 23505.
bool KeyTaken(const QSqlQuery& query) {
    const QSqlError error = query.lastError();
    return error.nativeErrorCode() == "23505" || error.databaseText().contains("UNIQUE constraint failed");
}

} // namespace

tResultStore::tResultStore(QSqlDatabase& db) : Db(db) {}

tStoreResult<void> tResultStore::Prepare() {
    for (const auto& [query, statement] : {std::pair<QSqlQuery*, QString>{&InsertQuery, InsertStatement()},
                                           {&FindQuery, FindStatement()},
                                           {&RankQuery, kRank},
                                           {&BestQuery, BestStatement()},
                                           {&BestFromEndQuery, BestStatement(kRankKeysReversed)},
                                           {&TableCountQuery, kTableCount},
                                           {&LatestVerifiedQuery, LatestVerifiedStatement()}}) {
        if (tStoreResult<void> prepared = PrepareOne(*query, statement); !prepared) {
            return prepared;
        }
    }
    return {};
}

tStoreResult<void> tResultStore::PrepareOne(QSqlQuery& query, const QString& statement) {
    query = QSqlQuery(Db);
    query.setForwardOnly(true);
    if (!query.prepare(statement)) {
        return StatementFailed("prepare a statement", query);
    }
    return {};
}

tStoreResult<std::optional<int64_t>> tResultStore::Insert(const tScoreRecord& r, const tReplayKept* proof) {
    BindIdentity(InsertQuery, r);
    InsertQuery.addBindValue(static_cast<qlonglong>(r.StartMs));
    InsertQuery.addBindValue(QDateTime::currentMSecsSinceEpoch());
    for (const QVariant& value : ProofValues(proof)) {
        InsertQuery.addBindValue(value);
    }
    if (!InsertQuery.exec()) {
        return StatementFailed("store the result", InsertQuery);
    }
    std::optional<int64_t> id;
    if (InsertQuery.next()) {
        id = InsertQuery.value(0).toLongLong();
    }
    InsertQuery.finish();
    if (id) {
        if (tStoreResult<void> indexed = IndexName(Db, r.Entry.Name); !indexed) {
            return indexed.Failure();
        }
    }
    return id;
}

tStoreResult<std::optional<int64_t>> tResultStore::InsertCommitted(const tScoreRecord& record,
                                                                   const tReplayKept* proof) {
    // The result and its name's keys in one transaction, ended by a COMMIT that runs to its end: SQLite
    // checkpoints its write-ahead log only after a statement that ran to its end, never after one reset
    // after its first row as the insert is, and a log never checkpointed grows by every result stored.
    if (!Db.transaction()) {
        return tStoreFailure{"The database could not begin a transaction: " + Db.lastError().text()};
    }
    tStoreResult<std::optional<int64_t>> inserted = Insert(record, proof);
    if (!inserted) {
        Db.rollback();
        return inserted;
    }
    if (!Db.commit()) {
        return tStoreFailure{"The database could not commit: " + Db.lastError().text()};
    }
    return inserted;
}

tStoreResult<tStoreOutcome> tResultStore::Store(const tScoreRecord& record, const tReplayKept* proof) {
    // The result the replay's game proves already, if any.
    std::optional<int64_t> prover;
    if (proof != nullptr) {
        const tStoreResult<std::optional<int64_t>> found = Prover(Db, proof->Game);
        if (!found) {
            return found.Failure();
        }
        prover = *found;
    }
    tStoreResult<std::optional<int64_t>> inserted = InsertCommitted(record, proof);
    if (!inserted) {
        return inserted.Failure();
    }
    std::optional<int64_t> id = *inserted;
    tStoreOutcome outcome;
    outcome.Fresh = id.has_value();
    outcome.Verified = proof != nullptr;
    if (!id) {
        BindIdentity(FindQuery, record);
        if (!FindQuery.exec()) {
            return StatementFailed("find the stored result", FindQuery);
        }
        if (!FindQuery.next()) {
            FindQuery.finish();
            // Not stored for want of its own game: another result holds that, one that another process
            // may have stored since the game was looked for.
            if (proof != nullptr && !prover) {
                const tStoreResult<std::optional<int64_t>> found = Prover(Db, proof->Game);
                if (!found) {
                    return found.Failure();
                }
                prover = *found;
            }
            if (prover) {
                outcome.ProvenBefore = prover;
                return outcome;
            }
            return StatementFailed("find the stored result", FindQuery);
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
        if (proof != nullptr && !verified) {
            QSqlQuery verify(Db);
            if (tStoreResult<void> kept = Run(verify, kVerify,
                                              {Bytes(proof->Replay), Text(proof->FinalWell),
                                               Text(proof->Game), static_cast<qlonglong>(*id)},
                                              "keep the replay");
                !kept) {
                // Another process stored the same game under another result since it was looked for.
                if (!KeyTaken(verify)) {
                    return kept.Failure();
                }
                const tStoreResult<std::optional<int64_t>> found = Prover(Db, proof->Game);
                if (!found || !*found) {
                    return kept.Failure();
                }
                outcome.ProvenBefore = *found;
                return outcome;
            }
        }
        outcome.Verified = verified || proof != nullptr;
    }
    if (outcome.Hidden) {
        return outcome;
    }
    const tStoreResult<int64_t> above = CountAbove(record, *id);
    if (!above) {
        return above.Failure();
    }
    outcome.Rank = std::min(*above, kRankLimit) + 1;
    return outcome;
}

tStoreResult<int64_t> tResultStore::Rank(const tScoreRecord& record) {
    const tStoreResult<int64_t> above = CountAbove(record, record.Id);
    if (!above) {
        return above.Failure();
    }
    return std::min(*above, kRankLimit) + 1;
}

tStoreResult<int64_t> tResultStore::CountAbove(const tScoreRecord& r, int64_t id) {
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
        return StatementFailed("rank the result", RankQuery);
    }
    const int64_t above = RankQuery.value(0).toLongLong();
    RankQuery.finish();
    return above;
}

tStoreResult<std::vector<tScoreRecord>>
tResultStore::Best(std::string_view gameType, std::string_view difficulty, int64_t offset, int64_t limit) {
    return ReadBest(BestQuery, gameType, difficulty, offset, limit);
}

tStoreResult<std::vector<tScoreRecord>> tResultStore::BestFromEnd(std::string_view gameType,
                                                                  std::string_view difficulty,
                                                                  int64_t offsetFromEnd, int64_t limit) {
    return ReadBest(BestFromEndQuery, gameType, difficulty, offsetFromEnd, limit);
}

tStoreResult<std::vector<tScoreRecord>> tResultStore::ReadBest(QSqlQuery& query, std::string_view gameType,
                                                               std::string_view difficulty, int64_t offset,
                                                               int64_t limit) {
    for (const QVariant& value :
         {QVariant(Utf8(gameType)), QVariant(Utf8(difficulty)), QVariant(static_cast<qlonglong>(limit)),
          QVariant(static_cast<qlonglong>(offset))}) {
        query.addBindValue(value);
    }
    if (!query.exec()) {
        return StatementFailed("read the table", query);
    }
    return ReadAll(query);
}

tStoreResult<std::vector<int64_t>> tResultStore::BestIds(std::string_view gameType,
                                                         std::string_view difficulty, int64_t limit) {
    QSqlQuery query(Db);
    if (!Select(query, RankedIdsStatement(),
                {Utf8(gameType), Utf8(difficulty), static_cast<qlonglong>(limit), 0})) {
        return StatementFailed("read the table", query);
    }
    std::vector<int64_t> ids;
    while (query.next()) {
        ids.push_back(query.value(0).toLongLong());
    }
    return ids;
}

tStoreResult<std::optional<tReplayKept>> tResultStore::FindProof(int64_t id) {
    QSqlQuery query(Db);
    if (tStoreResult<void> ran = Run(query, kProof, {static_cast<qlonglong>(id)}, "find the replay"); !ran) {
        return ran.Failure();
    }
    std::optional<tReplayKept> proof;
    if (query.next()) {
        proof = tReplayKept{
            query.value(0).toByteArray().toStdString(), query.value(1).toString().toStdString(), {}};
    }
    return proof;
}

tStoreResult<std::optional<tScoreRecord>> tResultStore::Find(int64_t id) {
    QSqlQuery query(Db);
    if (!Select(query, FindStatementById(), {static_cast<qlonglong>(id)})) {
        return StatementFailed("find the result", query);
    }
    std::optional<tScoreRecord> found;
    if (query.next()) {
        found = ReadRecord(query);
    }
    return found;
}

tStoreResult<std::vector<tScoreRecord>> tResultStore::OfPlayer(std::string_view name) {
    QSqlQuery query(Db);
    if (!Select(query, PlayerStatement(), {QByteArray(name.data(), static_cast<qsizetype>(name.size()))})) {
        return StatementFailed("read the player's results", query);
    }
    return ReadAll(query);
}

tStoreResult<std::vector<tScoreRecord>> tResultStore::LatestVerified(int64_t limit) {
    LatestVerifiedQuery.addBindValue(static_cast<qlonglong>(limit));
    if (!LatestVerifiedQuery.exec()) {
        return StatementFailed("read the latest verified results", LatestVerifiedQuery);
    }
    return ReadAll(LatestVerifiedQuery);
}

tStoreResult<std::vector<std::string>> tResultStore::Names(std::string_view part, size_t limit) {
    const std::string from = LowerText(part);
    const std::optional<std::string> to = PrefixEnd(from);
    QVariantList values = {Bytes(from)};
    if (to) {
        values.push_back(Bytes(*to));
    }
    // A name found by several of its words comes once for each.
    values.push_back(static_cast<qlonglong>(limit * kSearchRowsPerName));
    QSqlQuery query(Db);
    if (!Select(query, NamesStatement(to.has_value()), values)) {
        return StatementFailed("list the names", query);
    }
    std::vector<std::string> names;
    std::unordered_set<std::string> seen;
    while (names.size() < limit && query.next()) {
        std::string name = query.value(0).toByteArray().toStdString();
        if (seen.insert(name).second) {
            names.push_back(std::move(name));
        }
    }
    return names;
}

tStoreResult<std::vector<tTableSize>> tResultStore::Tables() {
    QSqlQuery query(Db);
    query.setForwardOnly(true);
    if (!query.exec(kTables)) {
        return StatementFailed("list the tables", query);
    }
    std::vector<tTableSize> tables;
    while (query.next()) {
        tables.push_back({query.value(0).toString().toStdString(), query.value(1).toString().toStdString(),
                          query.value(2).toLongLong()});
    }
    return tables;
}

tStoreResult<int64_t> tResultStore::TableCount(std::string_view gameType, std::string_view difficulty) {
    TableCountQuery.addBindValue(Utf8(gameType));
    TableCountQuery.addBindValue(Utf8(difficulty));
    if (!TableCountQuery.exec()) {
        return StatementFailed("count the table", TableCountQuery);
    }
    // A table nobody has played yet has no count.
    const int64_t count = TableCountQuery.next() ? TableCountQuery.value(0).toLongLong() : 0;
    TableCountQuery.finish();
    return count;
}

tStoreResult<int64_t> tResultStore::Count() {
    QSqlQuery query(Db);
    if (!query.exec(kCount) || !query.next()) {
        return StatementFailed("count the results", query);
    }
    return query.value(0).toLongLong();
}

tStoreResult<void> tResultStore::Answers() {
    QSqlQuery query(Db);
    if (!query.exec("SELECT 1") || !query.next()) {
        return StatementFailed("answer a trivial query", query);
    }
    return {};
}

tStoreResult<void> tResultStore::StoreMany(const std::vector<tScoreRecord>& records) {
    if (!Db.transaction()) {
        return tStoreFailure{"The database could not begin a transaction: " + Db.lastError().text()};
    }
    for (const tScoreRecord& record : records) {
        if (tStoreResult<std::optional<int64_t>> inserted = Insert(record, nullptr); !inserted) {
            Db.rollback();
            return inserted.Failure();
        }
    }
    if (!Db.commit()) {
        return tStoreFailure{"The database could not commit: " + Db.lastError().text()};
    }
    return {};
}
