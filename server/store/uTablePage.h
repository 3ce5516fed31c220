// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A table shown a hundred results at a time: the page as the store reads it.

#include "server/check/uScoreRecord.h"
#include "server/store/uResultStore.h"
#include "server/store/uStoreResult.h"

#include <cstdint>
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

// The page of this number, from 1; a page past the end holds no rows.
tStoreResult<tTablePage> ReadTablePage(tResultStore& results, std::string_view gameType,
                                       std::string_view difficulty, int64_t number);
