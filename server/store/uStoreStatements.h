// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the stores share of SQL: a statement prepared, bound and run in one step, and a failure told in the
// store's words.

#include "server/store/uStoreResult.h"

#include <QByteArray>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>

#include <string>

// "The database could not <what>: <the driver's words>"
tStoreFailure StatementFailed(const char* what, const QSqlQuery& query);
// Runs statement once with values; what names the step for the failure.
tStoreResult<void> Run(QSqlQuery& query, const QString& statement, const QVariantList& values,
                       const char* what);

// A text of the code page's bytes as the database keeps it, and one of UTF-8.
QByteArray Bytes(const std::string& text);
QString Text(const std::string& text);
