// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The HTML pages of the server, UTF-8. Every text that comes from a player or a request is escaped.

#include "server/check/uScoreRecord.h"
#include "server/pages/uTablePaging.h"
#include "server/store/uResultStore.h"

#include <QByteArray>
#include <QString>

#include <vector>

// The tables with their sizes, the latest verified games and the best result of each table that has one.
QByteArray FrontPage(const std::vector<tTableSize>& tables, const std::vector<tScoreRecord>& latest,
                     const std::vector<tScoreRecord>& best);
QByteArray TablePage(const tTablePage& page);
// Why a result was stored without a proof of its own.
enum class tUnproven {
    NoReplay,
    // Its replay was of the first format, whose key presses have no times.
    UntimedReplay,
};
// unproven says why a result that is not verified is not.
QByteArray TakenPage(const tScoreRecord& record, const tStoreOutcome& outcome, tUnproven unproven);
QByteArray ProblemPage(const QString& title, const QString& problem);
