// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The results as the moderators meet them: every result of a name with its id, hidden ones too; hiding a
// result, showing it again or removing it, each logged with its time and reason; and that log.

#include "server/check/uScoreRecord.h"
#include "server/store/uStoreResult.h"

#include <QSqlDatabase>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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
    // The result's table and fields as they were when it was logged; false in entries of results removed
    // before the log kept them, whose fields are then empty.
    bool Known = false;
    std::string GameType;
    std::string Difficulty;
    // Bytes of the code page, as names are stored.
    std::string Name;
    int32_t Score = 0;
    std::string StartTime;
};

class tModerationStore {
public:
    // db is the open database's connection, which outlives the store; postgres tells its dialect.
    tModerationStore(QSqlDatabase& db, bool postgres);
    tModerationStore(const tModerationStore&) = delete;
    tModerationStore& operator=(const tModerationStore&) = delete;

    // Every result stored under a name (bytes of the code page), hidden ones too, by table and rank.
    tStoreResult<std::vector<tStoredResult>> ResultsOf(const std::string& name);
    // Hides a result, shows it again or removes it, and logs that with the time and the reason, in one
    // transaction.
    tStoreResult<tModerated> Moderate(int64_t id, tModeration action, const std::string& reason);
    // The moderations in the order they were done, the server's own among them.
    tStoreResult<std::vector<tModerationEntry>> Log();

private:
    tStoreResult<tModerated> Apply(int64_t id, tModeration action, const std::string& reason);

    QSqlDatabase& Db;
    bool Postgres;
};
