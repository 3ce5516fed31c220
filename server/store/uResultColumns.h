// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A stored result read back from the columns of its fields, for the database and the schema's steps alike.

#include "server/check/uScoreRecord.h"

#include <QSqlQuery>

#include <string>

// The fields from column first on in the table's order, then start_ms.
tScoreRecord RecordAt(const QSqlQuery& query, int first, std::string gameType, std::string difficulty);
