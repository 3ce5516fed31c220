// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The stored results: one SQLite file or one PostgreSQL database, opened once per server process.

#include "server/uDatabaseTarget.h"
#include "server/uScoreRecord.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Ranks are counted exactly up to this; below it a result is reported only as below it, so that taking a
// low result never means counting a whole table.
inline constexpr int64_t kRankLimit = 1000;

struct tStoreOutcome {
    // False when the same result was already stored.
    bool Fresh = false;
    // The result was already stored and the moderators hid it: it has no rank.
    bool Hidden = false;
    // 1 for the best result of its table; kRankLimit + 1 for any rank beyond kRankLimit.
    int64_t Rank = 0;
    // The stored result is verified, by this upload's replay or an earlier one's.
    bool Verified = false;
    // Nothing was stored: the replay's game already proves this other result.
    std::optional<int64_t> ProvenBefore;
};

// A stored result as the moderators see it.
struct tStoredResult {
    int64_t Id = 0;
    bool Hidden = false;
    tScoreRecord Record;
};

// What a moderator does to one result; Remove deletes it, and the same result uploaded again is new.
enum class tModeration { Hide, Unhide, Remove };
inline constexpr tModeration kModerations[] = {tModeration::Hide, tModeration::Unhide, tModeration::Remove};
// "hide", "unhide" or "remove": the word of the log and of the command.
std::string_view ModerationName(tModeration action);

struct tModerated {
    // The result as it was; nothing when there is no result of that id.
    std::optional<tStoredResult> Before;
    // False when the result already was as asked: nothing was changed or logged.
    bool Changed = false;
};

struct tModerationEntry {
    int64_t AtMs = 0;
    // As ModerationName writes it.
    std::string Action;
    int64_t ResultId = 0;
    std::string Reason;
};

struct tTableSize {
    std::string GameType;
    std::string Difficulty;
    int64_t Results = 0;
};

class tScoreDatabase {
public:
    // connection names the Qt SQL connection; two objects in one process need two names.
    tScoreDatabase(tDatabaseTarget target, QString connection);
    ~tScoreDatabase();
    tScoreDatabase(const tScoreDatabase&) = delete;
    tScoreDatabase& operator=(const tScoreDatabase&) = delete;

    // Connects, then creates or migrates the schema.
    bool Open(QString& problem);
    // Nothing when the database failed; problem says why. A result stored with the proof of its replay is
    // verified, also when it was stored before without one.
    std::optional<tStoreOutcome> Store(const tScoreRecord& record, QString& problem,
                                       const tReplayKept* proof = nullptr);
    // The results of a table in rank order, at most limit of them after skipping the first offset.
    std::optional<std::vector<tScoreRecord>> Best(std::string_view gameType, std::string_view difficulty,
                                                  int64_t offset, int64_t limit, QString& problem);
    // The same rows counted from the table's end: the last page of a large table skips no index entries.
    std::optional<std::vector<tScoreRecord>> BestFromEnd(std::string_view gameType,
                                                         std::string_view difficulty, int64_t offsetFromEnd,
                                                         int64_t limit, QString& problem);
    // The ids of the best results of a table in rank order, at most limit of them.
    std::optional<std::vector<int64_t>> BestIds(std::string_view gameType, std::string_view difficulty,
                                                int64_t limit, QString& problem);
    // The rank of a stored result as Store reports it: kRankLimit + 1 for any rank beyond kRankLimit.
    std::optional<int64_t> Rank(const tScoreRecord& record, QString& problem);
    // The stored result of this id, or none when there is none; false when the database failed.
    bool Find(int64_t id, std::optional<tScoreRecord>& found, QString& problem);
    // What the shown, verified result of this id keeps of its proof, or none; false when the database failed.
    bool FindProof(int64_t id, std::optional<tReplayKept>& proof, QString& problem);
    // Every result of the name, given in the code page's bytes, grouped by table, in rank order.
    std::optional<std::vector<tScoreRecord>> OfPlayer(std::string_view name, QString& problem);
    // Names in byte order that wanted accepts, each once, at most limit of them.
    std::optional<std::vector<std::string>> Names(const std::function<bool(std::string_view name)>& wanted,
                                                  size_t limit, QString& problem);
    // Every table that holds a result, with its number of results.
    std::optional<std::vector<tTableSize>> Tables(QString& problem);
    // The number of results in one table, read from the counts the database keeps.
    std::optional<int64_t> TableCount(std::string_view gameType, std::string_view difficulty,
                                      QString& problem);
    std::optional<int64_t> Count(QString& problem);
    // Many results in one transaction, for filling a database fast; duplicates are skipped.
    bool StoreMany(const std::vector<tScoreRecord>& records, QString& problem);

    // Every result stored under a name (bytes of the code page), hidden ones too, by table and rank.
    std::optional<std::vector<tStoredResult>> ResultsOf(const std::string& name, QString& problem);
    // Hides a result, shows it again or removes it, and logs that with the time and the reason, in one
    // transaction. Nothing when the database failed.
    std::optional<tModerated> Moderate(int64_t id, tModeration action, const std::string& reason,
                                       QString& problem);
    // The moderations in the order they were done.
    std::optional<std::vector<tModerationEntry>> ModerationLog(QString& problem);

private:
    bool Prepare(QSqlQuery& query, const QString& statement, QString& problem);
    std::optional<std::vector<tScoreRecord>> ReadBest(QSqlQuery& query, std::string_view gameType,
                                                      std::string_view difficulty, int64_t offset,
                                                      int64_t limit, QString& problem);
    bool Insert(const tScoreRecord& record, const tReplayKept* proof, std::optional<int64_t>& id,
                QString& problem);
    bool ApplyModeration(int64_t id, tModeration action, const std::string& reason, tModerated& moderated,
                         QString& problem);
    std::optional<int64_t> RankOf(const tScoreRecord& record, int64_t id, QString& problem);

    tDatabaseTarget Target;
    QString Connection;
    QSqlDatabase Db;
    QSqlQuery InsertQuery;
    QSqlQuery FindQuery;
    QSqlQuery RankQuery;
    QSqlQuery BestQuery;
    QSqlQuery BestFromEndQuery;
    QSqlQuery TableCountQuery;
};
