// SPDX-License-Identifier: GPL-3.0-or-later
#include "server/store/uDatabaseTarget.h"

#include "server/store/uDatabasePassword.h"

#include <QUrl>
#include <QUrlQuery>

tStoreResult<tDatabaseTarget> ParseDatabaseTarget(const QString& text) {
    tDatabaseTarget target;
    if (!text.startsWith("postgresql://") && !text.startsWith("postgres://")) {
        target.Name = text.startsWith("sqlite:") ? text.mid(7) : text;
        if (target.Name.isEmpty()) {
            return tStoreFailure{"The SQLite file name is empty."};
        }
        return target;
    }
    const QUrl url(text, QUrl::StrictMode);
    target.Kind = tDatabaseTarget::tKind::PostgreSQL;
    target.Name = url.path().mid(1);
    target.Host = url.host();
    target.Port = url.port();
    target.User = url.userName();
    if (!url.password().isEmpty()) {
        return tStoreFailure{
            "The PostgreSQL address holds a password, which every user of the machine can read in the "
            "process "
            "list. Leave it out of the address and give it in a file named by --database-password-file, in "
            "the environment variable PGPASSWORD, or as the systemd credential " +
            QString(kPasswordCredential) + "."};
    }
    const QUrlQuery query(url);
    if (query.hasQueryItem("host")) {
        target.Host = query.queryItemValue("host", QUrl::FullyDecoded);
    }
    if (!url.isValid() || target.Name.isEmpty() || target.Name.contains('/')) {
        return tStoreFailure{"The PostgreSQL address is not of the form postgresql://USER@HOST:PORT/DBNAME."};
    }
    return target;
}
