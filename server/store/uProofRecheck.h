// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The verified results of a database proven again by the server's check of today: a result whose kept replay
// no longer proves it loses its mark and its claim on its game, keeps its replay for the moderators to look
// at, and the moderation log says why. Run by a schema step, inside its transaction.

#include "server/store/uStoreResult.h"

#include <QSqlDatabase>

// The moderation log's word for a mark taken away.
inline constexpr const char* kUnverifiedAction = "unverify";

tStoreResult<void> RecheckProofs(QSqlDatabase& db);
