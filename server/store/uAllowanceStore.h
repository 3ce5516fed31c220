// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The upload allowance of every server process on one PostgreSQL database, kept in its table allowance, so
// that a client is held to one allowance whichever process its uploads reach. Each step is one statement,
// refill and take together, that holds no lock beyond it; the database's clock alone times the refill.

#include "server/store/uUploadAllowance.h"

#include <QSqlDatabase>
#include <QSqlQuery>

class tAllowanceStore final : public tUploadAllowance {
public:
    // db is the open database's connection, which outlives the store.
    explicit tAllowanceStore(QSqlDatabase& db);
    tAllowanceStore(const tAllowanceStore&) = delete;
    tAllowanceStore& operator=(const tAllowanceStore&) = delete;

    // perMinute tokens come back every minute; a bucket holds at most burst of them. Once the schema is
    // current.
    tStoreResult<void> Prepare(double perMinute, double burst);
    tStoreResult<double> Wait(const std::string& address) override;
    tStoreResult<double> Take(const std::string& address) override;
    tStoreResult<void> GiveBack(const std::string& address) override;

private:
    tStoreResult<void> PrepareOne(QSqlQuery& query, const QString& statement);
    double WaitAt(double level) const;

    QSqlDatabase& Db;
    double PerSecond = 1;
    QSqlQuery WaitQuery;
    QSqlQuery TakeQuery;
    QSqlQuery GiveBackQuery;
    QSqlQuery SweepQuery;
    // Takes since the full buckets were last swept out.
    int TakesSinceSweep = 0;
};
