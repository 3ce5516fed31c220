// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The HTML pages of the server, UTF-8. Every text that comes from a player or a request is escaped.

#include "server/uScoreDatabase.h"
#include "server/uScoreRecord.h"
#include "server/uTablePaging.h"

#include <QByteArray>
#include <QString>

#include <vector>

QByteArray FrontPage(const std::vector<tTableSize>& tables);
QByteArray TablePage(const tTablePage& page);
QByteArray TakenPage(const tScoreRecord& record, const tStoreOutcome& outcome);
QByteArray ProblemPage(const QString& title, const QString& problem);
