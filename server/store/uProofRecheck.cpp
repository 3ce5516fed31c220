// SPDX-License-Identifier: GPL-3.0-or-later
#include "server/store/uProofRecheck.h"

#include "server/check/uReplayCheck.h"
#include "server/store/uResultColumns.h"
#include "server/store/uScoreSchema.h"

#include <QDateTime>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <map>
#include <vector>

namespace {

// Replays are read a batch at a time, so that a large database is never held in memory whole.
constexpr int kBatch = 100;

struct tKeptProof {
    tScoreRecord Record;
    std::string Replay;
};

tStoreResult<void> Run(QSqlQuery& query, const QString& statement, const QVariantList& values) {
    query.setForwardOnly(true);
    if (!query.prepare(statement)) {
        return tStoreFailure{"The verified results could not be checked again: " + query.lastError().text()};
    }
    for (const QVariant& value : values) {
        query.addBindValue(value);
    }
    if (!query.exec()) {
        return tStoreFailure{"The verified results could not be checked again: " + query.lastError().text()};
    }
    return {};
}

// The verified results after id `after`, in the order of their ids.
tStoreResult<void> NextBatch(QSqlDatabase& db, int64_t after, std::vector<tKeptProof>& batch) {
    QSqlQuery query(db);
    if (tStoreResult<void> ran =
            Run(query,
                "SELECT id, game_type, difficulty, " + ResultColumns("", ", ") +
                    ", start_ms, replay FROM results WHERE verified = 1 AND id > ? ORDER BY id LIMIT ?",
                {static_cast<qlonglong>(after), kBatch});
        !ran) {
        return ran;
    }
    batch.clear();
    const int replayColumn = 3 + static_cast<int>(kResultFields.size()) + 1;
    while (query.next()) {
        tKeptProof kept{RecordAt(query, 3, query.value(1).toString().toStdString(),
                                 query.value(2).toString().toStdString()),
                        query.value(replayColumn).toByteArray().toStdString()};
        kept.Record.Id = query.value(0).toLongLong();
        batch.push_back(std::move(kept));
    }
    return {};
}

tStoreResult<void> TakeMarkAway(QSqlDatabase& db, int64_t id, const std::string& reason) {
    QSqlQuery query(db);
    if (tStoreResult<void> taken =
            Run(query, "UPDATE results SET verified = 0 WHERE id = ?", {static_cast<qlonglong>(id)});
        !taken) {
        return taken;
    }
    return Run(query, "INSERT INTO moderation_log (at_ms, action, result_id, reason) VALUES (?, ?, ?, ?)",
               {QDateTime::currentMSecsSinceEpoch(), kUnverifiedAction, static_cast<qlonglong>(id),
                QString::fromStdString(reason)});
}

// Keeps a result's mark when its replay proves it and no result before it claims its game; proven holds the
// result each game proves so far.
tStoreResult<void> Recheck(QSqlDatabase& db, const tKeptProof& kept, std::map<std::string, int64_t>& proven) {
    const int64_t id = kept.Record.Id;
    const tReplayProof proof = CheckReplay(kept.Record, kept.Replay);
    if (proof.Verdict != tReplayVerdict::Proven) {
        return TakeMarkAway(db, id, proof.Problem);
    }
    if (const auto [first, fresh] = proven.emplace(proof.Game, id); !fresh) {
        return TakeMarkAway(db, id,
                            "This game's replay already proves result " + std::to_string(first->second) +
                                "; one game proves one result.");
    }
    QSqlQuery keep(db);
    return Run(keep, "UPDATE results SET game_key = ?, final_well = ? WHERE id = ?",
               {QString::fromStdString(proof.Game), QString::fromStdString(proof.FinalWell),
                static_cast<qlonglong>(id)});
}

} // namespace

tStoreResult<void> RecheckProofs(QSqlDatabase& db) {
    // The keys of the games are made anew, so none of the old ones may stand in the way of a new one.
    QSqlQuery clear(db);
    if (tStoreResult<void> cleared = Run(clear, "UPDATE results SET game_key = NULL", {}); !cleared) {
        return cleared;
    }
    std::map<std::string, int64_t> proven;
    std::vector<tKeptProof> batch;
    for (int64_t after = 0;; after = batch.back().Record.Id) {
        if (tStoreResult<void> read = NextBatch(db, after, batch); !read) {
            return read;
        }
        if (batch.empty()) {
            return {};
        }
        for (const tKeptProof& kept : batch) {
            if (tStoreResult<void> checked = Recheck(db, kept, proven); !checked) {
                return checked;
            }
        }
    }
}
