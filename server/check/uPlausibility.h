// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whether a result could have come from a game: the rules table bounds what its figures and rows can earn,
// fixes the level they lead to and the least time they take to enter, and a game cannot start in the future.

#include "server/check/uScoreRecord.h"

#include <cstdint>
#include <string>

// A start time is the player's local time read as if it were UTC, so it runs up to 14 hours ahead of UTC in
// the easternmost zones; a day leaves room for that and for a clock that is somewhat wrong.
inline constexpr int64_t kStartTimeAheadMs = 24 * 60 * 60 * 1000;

// Empty when the result is plausible; otherwise a sentence for each thing no game can give. The record's
// texts have passed the checks of their forms; nowMs is the server's clock in milliseconds since 1970 UTC.
std::string PlausibilityProblem(const tScoreRecord& record, int64_t nowMs);
