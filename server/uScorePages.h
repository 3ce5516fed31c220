// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The HTML pages of the server, UTF-8. Every text that comes from a player or a request is escaped.

#include "server/uScoreDatabase.h"
#include "server/uScoreRecord.h"

#include <QByteArray>
#include <QString>

#include <string_view>
#include <vector>

// Lines shown on a table page and in its JSON.
inline constexpr int64_t kTableRows = 100;

QByteArray FrontPage(const std::vector<tTableSize>& tables);
QByteArray TablePage(std::string_view gameType, std::string_view difficulty,
                     const std::vector<tScoreRecord>& best);
QByteArray TakenPage(const tScoreRecord& record, const tStoreOutcome& outcome);
QByteArray ProblemPage(const QString& title, const QString& problem);

// The address of a table page, relative to the server's root.
QString TablePath(std::string_view gameType, std::string_view difficulty);
// The start time "dd.mm.yy hh:nn:ss" as "20yy-mm-dd hh:nn:ss".
QString DateText(const std::string& startTime);
