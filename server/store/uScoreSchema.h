// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one schema of the results, in the two SQL dialects, and the steps that bring an older database up to
// it. Every step runs once; the table schema_version remembers the steps taken.

#include "core/uResultRecord.h"
#include "server/store/uStoreResult.h"

#include <QSqlDatabase>
#include <QString>

inline constexpr int kSchemaVersion = 10;

// What the moderation log keeps of a result beside its id, so that a removed result is still known: its
// table and these fields.
inline constexpr tResultField kLoggedFields[] = {tResultField::Name, tResultField::Score,
                                                 tResultField::StartTime};

// The columns of the result's fields in the table's order, each followed by suffix, joined by separator:
// ResultColumns(" = ?", " AND ") gives "name = ? AND level = ? AND ...".
QString ResultColumns(const QString& suffix, const QString& separator);

// "game_type, difficulty, name, score, start_time": the columns of the moderation log that kLoggedFields and
// the table fill.
QString LoggedColumns();

// Runs inside one transaction, so a server that stops half-way leaves the database as it was, and several
// servers starting together on one PostgreSQL database take the steps one after the other.
tStoreResult<void> MigrateSchema(QSqlDatabase& db, bool postgres);
