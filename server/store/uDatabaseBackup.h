// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A copy of an SQLite file of results as it stood at one moment, taken while a server may be writing to it.

#include "server/store/uDatabaseTarget.h"
#include "server/store/uStoreResult.h"

#include <QString>

// Copies the SQLite file of target into copy, which must not exist yet. The file is neither created nor
// brought to this server's schema: a copy taken before an upgrade holds the schema the old server left.
tStoreResult<void> BackUpDatabase(const tDatabaseTarget& target, const QString& copy);
