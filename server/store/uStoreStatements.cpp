// SPDX-License-Identifier: GPL-3.0-or-later
#include "server/store/uStoreStatements.h"

#include <QSqlError>
#include <QVariant>

tStoreFailure StatementFailed(const char* what, const QSqlQuery& query) {
    return {QString("The database could not %1: %2").arg(what, query.lastError().text())};
}

tStoreResult<void> Run(QSqlQuery& query, const QString& statement, const QVariantList& values,
                       const char* what) {
    query.setForwardOnly(true);
    if (!query.prepare(statement)) {
        return StatementFailed(what, query);
    }
    for (const QVariant& value : values) {
        query.addBindValue(value);
    }
    if (!query.exec()) {
        return StatementFailed(what, query);
    }
    return {};
}

QByteArray Bytes(const std::string& text) {
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}
