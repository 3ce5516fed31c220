// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The results as the pages and the upload meet them: storing one, ranking it, reading the tables a page at
// a time, a player's results, the names for a search and the proofs of verified results.

#include "server/check/uScoreRecord.h"
#include "server/store/uStoreResult.h"

#include <QSqlDatabase>
#include <QSqlQuery>

#include <cstdint>
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

struct tTableSize {
    std::string GameType;
    std::string Difficulty;
    int64_t Results = 0;
};

class tResultStore {
public:
    // db is the open database's connection, which outlives the store.
    explicit tResultStore(QSqlDatabase& db);
    tResultStore(const tResultStore&) = delete;
    tResultStore& operator=(const tResultStore&) = delete;

    // The statements every request runs, prepared once the database is open and its schema current.
    tStoreResult<void> Prepare();
    // A result stored with the proof of its replay is verified, also when it was stored before without one.
    tStoreResult<tStoreOutcome> Store(const tScoreRecord& record, const tReplayKept* proof = nullptr);
    // The results of a table in rank order, at most limit of them after skipping the first offset.
    tStoreResult<std::vector<tScoreRecord>> Best(std::string_view gameType, std::string_view difficulty,
                                                 int64_t offset, int64_t limit);
    // The same rows counted from the table's end: the last page of a large table skips no index entries.
    tStoreResult<std::vector<tScoreRecord>>
    BestFromEnd(std::string_view gameType, std::string_view difficulty, int64_t offsetFromEnd, int64_t limit);
    // The ids of the best results of a table in rank order, at most limit of them.
    tStoreResult<std::vector<int64_t>> BestIds(std::string_view gameType, std::string_view difficulty,
                                               int64_t limit);
    // The rank of a stored result as Store reports it: kRankLimit + 1 for any rank beyond kRankLimit.
    tStoreResult<int64_t> Rank(const tScoreRecord& record);
    // The shown result of this id; none when there is none.
    tStoreResult<std::optional<tScoreRecord>> Find(int64_t id);
    // What the shown, verified result of this id keeps of its proof; none when there is none.
    tStoreResult<std::optional<tReplayKept>> FindProof(int64_t id);
    // Every shown result of the name, given in the code page's bytes, grouped by table, in rank order.
    tStoreResult<std::vector<tScoreRecord>> OfPlayer(std::string_view name);
    // The names with a shown result that part, in the code page's bytes, starts in small and capital letters
    // alike, or starts a word of: each once, at most limit of them, in the order of the text they are found
    // by.
    tStoreResult<std::vector<std::string>> Names(std::string_view part, size_t limit);
    // The shown verified results, the latest stored first, at most limit of them.
    tStoreResult<std::vector<tScoreRecord>> LatestVerified(int64_t limit);
    // Every table that holds a result, with its number of results.
    tStoreResult<std::vector<tTableSize>> Tables();
    // The number of results in one table, read from the counts the database keeps.
    tStoreResult<int64_t> TableCount(std::string_view gameType, std::string_view difficulty);
    // Every result, hidden ones too.
    tStoreResult<int64_t> Count();
    // Whether the database answers at all, by the cheapest statement there is.
    tStoreResult<void> Answers();
    // Many results in one transaction, for filling a database fast; duplicates are skipped.
    tStoreResult<void> StoreMany(const std::vector<tScoreRecord>& records);

private:
    tStoreResult<std::vector<tScoreRecord>> ReadBest(QSqlQuery& query, std::string_view gameType,
                                                     std::string_view difficulty, int64_t offset,
                                                     int64_t limit);
    // The id a new result was given, its name's keys added to the search's index; none when the same result
    // was stored before.
    tStoreResult<std::optional<int64_t>> Insert(const tScoreRecord& record, const tReplayKept* proof);
    // Insert in a transaction of its own.
    tStoreResult<std::optional<int64_t>> InsertCommitted(const tScoreRecord& record,
                                                         const tReplayKept* proof);
    // The shown results of the table that rank above the result of this id, counted up to kRankLimit.
    tStoreResult<int64_t> CountAbove(const tScoreRecord& record, int64_t id);
    tStoreResult<void> PrepareOne(QSqlQuery& query, const QString& statement);

    QSqlDatabase& Db;
    QSqlQuery InsertQuery;
    QSqlQuery FindQuery;
    QSqlQuery RankQuery;
    QSqlQuery BestQuery;
    QSqlQuery BestFromEndQuery;
    QSqlQuery TableCountQuery;
    QSqlQuery LatestVerifiedQuery;
};
