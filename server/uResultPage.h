// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The page of one stored result, at its own address: every field of the result, its table and its rank.

#include "server/uScoreRecord.h"

#include <QByteArray>

#include <cstdint>

// rank as the database reports it, kRankLimit + 1 beyond the ranks it counts.
QByteArray ResultPage(const tScoreRecord& result, int64_t rank);
