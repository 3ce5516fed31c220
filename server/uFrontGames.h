// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The games the front page shows beside its tables, the latest verified ones and each table's best, as read
// last: read again once they are a second old, or at once after this process took a result, so that every
// visitor of the busiest page does not cost the database nine more statements. Another process's result shows
// within the second.

#include "server/check/uScoreRecord.h"

#include <chrono>
#include <cstdint>
#include <limits>
#include <vector>

struct tFrontGames {
    std::vector<tScoreRecord> Latest;
    std::vector<tScoreRecord> Best;
    std::chrono::steady_clock::time_point ReadAt{};
    // The count of results this process had taken when they were read.
    std::uint64_t TakenThen = std::numeric_limits<std::uint64_t>::max();
};
