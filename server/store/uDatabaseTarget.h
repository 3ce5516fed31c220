// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the results live, as the --database option names it:
//   a file path, or sqlite:PATH              an SQLite file (relative to the working folder)
//   postgresql://[USER@]HOST[:PORT]/DBNAME[?host=SOCKETDIR]
//                                            a PostgreSQL database; host= names a folder with the server's
//                                            Unix socket, as libpq reads it
// The address is an argument, which every user sees in the process list, so it may hold no password.

#include "server/store/uStoreResult.h"

#include <QString>

struct tDatabaseTarget {
    enum class tKind { SQLite, PostgreSQL };
    tKind Kind = tKind::SQLite;
    // SQLite: the file. PostgreSQL: the database name.
    QString Name;
    QString Host;
    int Port = -1;
    QString User;
    // Not from the address (uDatabasePassword.h).
    QString Password;
};

inline constexpr const char* kDefaultDatabaseFile = "stakkar-scores.sqlite";

// A failure when the text is a postgresql address that cannot be read or holds a password, or names no
// SQLite file.
tStoreResult<tDatabaseTarget> ParseDatabaseTarget(const QString& text);
