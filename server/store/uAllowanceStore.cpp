// SPDX-License-Identifier: GPL-3.0-or-later
#include "server/store/uAllowanceStore.h"

#include "server/store/uStoreStatements.h"

#include <QVariant>

#include <algorithm>

namespace {

// A full bucket is the same as none; every process drops them now and then, so the table holds only the
// clients that uploaded lately.
constexpr int kSweepEvery = 1000;

// When another process spent the last token after this statement's snapshot was taken, the snapshot still
// shows it; the client is then told to wait the shortest time, which Retry-After rounds up to a second.
constexpr double kShortestWait = 0.001;

QString Number(double value) {
    return "CAST(" + QString::number(value, 'g', 17) + " AS double precision)";
}

} // namespace

tAllowanceStore::tAllowanceStore(QSqlDatabase& db) : Db(db) {}

tStoreResult<void> tAllowanceStore::PrepareOne(QSqlQuery& query, const QString& statement) {
    query = QSqlQuery(Db);
    query.setForwardOnly(true);
    if (!query.prepare(statement)) {
        return StatementFailed("prepare a statement of the upload allowance", query);
    }
    return {};
}

tStoreResult<void> tAllowanceStore::Prepare(double perMinute, double burst) {
    PerSecond = perMinute / 60.0;
    // The tokens of bucket a now, refilled since it was last taken from.
    const QString level = QString("LEAST(%1, a.tokens + EXTRACT(EPOCH FROM now() - a.at) * %2)")
                              .arg(Number(burst), Number(PerSecond));
    // The snapshot's level tells how long to wait when no token was taken; the take itself reads the row as
    // it is once locked, so two processes cannot both spend its last token.
    const QString take = "WITH before AS (SELECT " + level +
                         " AS level FROM allowance a WHERE a.client = ?),"
                         " taken AS (INSERT INTO allowance AS a (client, tokens, at) VALUES (?, " +
                         Number(burst - 1) + ", now()) ON CONFLICT (client) DO UPDATE SET tokens = " + level +
                         " - 1, at = now() WHERE " + level +
                         " >= 1 RETURNING 1)"
                         " SELECT (SELECT COUNT(*) FROM taken), COALESCE((SELECT level FROM before), 0)";
    for (const auto& [query, statement] :
         {std::pair<QSqlQuery*, QString>{&WaitQuery,
                                         "SELECT " + level + " FROM allowance a WHERE a.client = ?"},
          {&TakeQuery, take},
          {&GiveBackQuery, "UPDATE allowance a SET tokens = LEAST(" + Number(burst) + ", " + level +
                               " + 1), at = now() WHERE a.client = ?"},
          {&SweepQuery, "DELETE FROM allowance a WHERE " + level + " >= " + Number(burst)}}) {
        if (tStoreResult<void> prepared = PrepareOne(*query, statement); !prepared) {
            return prepared;
        }
    }
    return {};
}

double tAllowanceStore::WaitAt(double level) const {
    return level >= 1.0 ? 0.0 : (1.0 - level) / PerSecond;
}

tStoreResult<double> tAllowanceStore::Wait(const std::string& address) {
    WaitQuery.addBindValue(Text(address));
    if (!WaitQuery.exec()) {
        return StatementFailed("read the upload allowance", WaitQuery);
    }
    const double wait = WaitQuery.next() ? WaitAt(WaitQuery.value(0).toDouble()) : 0.0;
    WaitQuery.finish();
    return wait;
}

tStoreResult<double> tAllowanceStore::Take(const std::string& address) {
    if (++TakesSinceSweep >= kSweepEvery) {
        TakesSinceSweep = 0;
        if (!SweepQuery.exec()) {
            return StatementFailed("sweep the upload allowance", SweepQuery);
        }
    }
    TakeQuery.addBindValue(Text(address));
    TakeQuery.addBindValue(Text(address));
    if (!TakeQuery.exec() || !TakeQuery.next()) {
        return StatementFailed("take from the upload allowance", TakeQuery);
    }
    const bool taken = TakeQuery.value(0).toLongLong() == 1;
    const double level = TakeQuery.value(1).toDouble();
    TakeQuery.finish();
    return taken ? 0.0 : std::max(kShortestWait, WaitAt(level));
}

tStoreResult<void> tAllowanceStore::GiveBack(const std::string& address) {
    GiveBackQuery.addBindValue(Text(address));
    if (!GiveBackQuery.exec()) {
        return StatementFailed("give back a token of the upload allowance", GiveBackQuery);
    }
    return {};
}
