// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The pages about players: one per name with all its results, and the search for names.

#include "server/check/uScoreRecord.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Names shown at most by one search.
inline constexpr size_t kSearchNames = 100;

struct tPlayerResult {
    tScoreRecord Result;
    // As the database reports it, kRankLimit + 1 beyond the ranks it counts.
    int64_t Rank = 0;
};

// name in the code page's bytes; results in the order they are listed.
QByteArray PlayerPage(std::string_view name, const std::vector<tPlayerResult>& results);
// The search box, holding wanted.
QString SearchForm(const QString& wanted);
// wanted as typed; names in the code page's bytes, more when there were more than those shown.
QByteArray SearchPage(const QString& wanted, const std::vector<std::string>& names, bool more);
