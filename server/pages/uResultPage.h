// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The page of one stored result, at its own address: every field of the result, its table and its rank; for a
// verified result also the well its game ended with, its replay to download and the game to watch.

#include "server/check/uScoreRecord.h"

#include <QByteArray>

#include <cstdint>

#include <string_view>

// rank as the database reports it, kRankLimit + 1 beyond the ranks it counts; finalWell as WellPicture writes
// it, empty for an unverified result. With watch, the page plays the game of its replay, and must be sent
// with ViewerPagePolicy.
QByteArray ResultPage(const tScoreRecord& result, int64_t rank, std::string_view finalWell, bool watch);
