// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The PostgreSQL password, from where no other user of the machine can read it: the process's arguments are
// in everyone's process list, so the address may not hold it. libpq itself reads PGPASSWORD and ~/.pgpass.

#include "server/store/uStoreResult.h"

#include <QString>

// The name of the systemd credential (LoadCredential= in the unit) that holds the password.
inline constexpr const char* kPasswordCredential = "database-password";

// The first line of file when one is named, else of the credential in $CREDENTIALS_DIRECTORY when systemd
// passed it, else empty, which leaves the password to libpq. A failure when the file cannot be read or holds
// no password.
tStoreResult<QString> DatabasePassword(const QString& file);
