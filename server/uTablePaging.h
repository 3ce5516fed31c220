// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A table shown a hundred results at a time: reading one page of it, and the links that lead through the
// whole table.

#include "server/uScoreDatabase.h"
#include "server/uScoreRecord.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Results on a table page and in its JSON.
inline constexpr int64_t kTableRows = 100;

struct tTablePage {
    std::string GameType;
    std::string Difficulty;
    // From 1; beyond Pages when the address asked for a page past the end, which then holds no rows.
    int64_t Number = 1;
    // At least 1: an empty table has one empty page.
    int64_t Pages = 1;
    int64_t Total = 0;
    std::vector<tScoreRecord> Rows;

    int64_t FirstRank() const { return (Number - 1) * kTableRows + 1; }
    bool PastEnd() const { return Number > Pages; }
};

std::optional<tTablePage> ReadTablePage(tScoreDatabase& database, std::string_view gameType,
                                        std::string_view difficulty, int64_t number, QString& problem);

// "results 101-200 of 1000" with the links to the first, previous, next and last pages.
QString PagingLinks(const tTablePage& page);
// The answer to a page past the end, with a link back to the last one.
QByteArray PastEndPage(const tTablePage& page);
