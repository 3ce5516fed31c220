// SPDX-License-Identifier: GPL-3.0-or-later
#include "server/uProofRecheck.h"

#include "server/uReplayCheck.h"
#include "server/uResultColumns.h"
#include "server/uScoreSchema.h"

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

bool Run(QSqlQuery& query, const QString& statement, const QVariantList& values, QString& problem) {
    query.setForwardOnly(true);
    if (!query.prepare(statement)) {
        problem = "The verified results could not be checked again: " + query.lastError().text();
        return false;
    }
    for (const QVariant& value : values) {
        query.addBindValue(value);
    }
    if (!query.exec()) {
        problem = "The verified results could not be checked again: " + query.lastError().text();
        return false;
    }
    return true;
}

// The verified results after id `after`, in the order of their ids.
bool NextBatch(QSqlDatabase& db, int64_t after, std::vector<tKeptProof>& batch, QString& problem) {
    QSqlQuery query(db);
    if (!Run(query,
             "SELECT id, game_type, difficulty, " + ResultColumns("", ", ") +
                 ", start_ms, replay FROM results WHERE verified = 1 AND id > ? ORDER BY id LIMIT ?",
             {static_cast<qlonglong>(after), kBatch}, problem)) {
        return false;
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
    return true;
}

bool TakeMarkAway(QSqlDatabase& db, int64_t id, const std::string& reason, QString& problem) {
    QSqlQuery query(db);
    return Run(query, "UPDATE results SET verified = 0 WHERE id = ?", {static_cast<qlonglong>(id)},
               problem) &&
           Run(query, "INSERT INTO moderation_log (at_ms, action, result_id, reason) VALUES (?, ?, ?, ?)",
               {QDateTime::currentMSecsSinceEpoch(), kUnverifiedAction, static_cast<qlonglong>(id),
                QString::fromStdString(reason)},
               problem);
}

// Keeps a result's mark when its replay proves it and no result before it claims its game; proven holds the
// result each game proves so far.
bool Recheck(QSqlDatabase& db, const tKeptProof& kept, std::map<std::string, int64_t>& proven,
             QString& problem) {
    const int64_t id = kept.Record.Id;
    const tReplayProof proof = CheckReplay(kept.Record, kept.Replay);
    if (proof.Verdict != tReplayVerdict::Proven) {
        return TakeMarkAway(db, id, proof.Problem, problem);
    }
    if (const auto [first, fresh] = proven.emplace(proof.Game, id); !fresh) {
        return TakeMarkAway(db, id,
                            "This game's replay already proves result " + std::to_string(first->second) +
                                "; one game proves one result.",
                            problem);
    }
    QSqlQuery keep(db);
    return Run(keep, "UPDATE results SET game_key = ?, final_well = ? WHERE id = ?",
               {QString::fromStdString(proof.Game), QString::fromStdString(proof.FinalWell),
                static_cast<qlonglong>(id)},
               problem);
}

} // namespace

bool RecheckProofs(QSqlDatabase& db, QString& problem) {
    // The keys of the games are made anew, so none of the old ones may stand in the way of a new one.
    QSqlQuery clear(db);
    if (!Run(clear, "UPDATE results SET game_key = NULL", {}, problem)) {
        return false;
    }
    std::map<std::string, int64_t> proven;
    std::vector<tKeptProof> batch;
    for (int64_t after = 0;; after = batch.back().Record.Id) {
        if (!NextBatch(db, after, batch, problem)) {
            return false;
        }
        if (batch.empty()) {
            return true;
        }
        for (const tKeptProof& kept : batch) {
            if (!Recheck(db, kept, proven, problem)) {
                return false;
            }
        }
    }
}
