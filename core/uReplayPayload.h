// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A recorded game as bytes before any packing: its settings, seed and start time, its length in ticks, and
// each press as the ticks and, when timed, the milliseconds since the one before, all as variable-length
// numbers. The reader is bounded in every respect and refuses what it cannot read with the reason. Files pack
// these bytes (storage/uReplayFile); a viewer that unpacks them itself reads them here.

#include "core/uGameRecord.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Ten days at one tick a millisecond.
inline constexpr int64_t kMaxReplayTicks = int64_t{864} * 1000 * 1000;
// Ten days of play.
inline constexpr int64_t kMaxReplayTimeMs = int64_t{864} * 1000 * 1000;
inline constexpr size_t kMaxReplayStartTime = 32;

// The record as a replay holds it before packing: one game gives the same bytes, however a file packs them.
std::string ReplayPayload(const tGameRecord& record);

struct tReplayRead {
    std::optional<tGameRecord> Record;
    // Why the bytes are no replay, when they are not.
    std::string Problem;
};
// The record of a payload whose presses carry their times (timed) or do not.
tReplayRead ReadReplayPayload(std::string_view payload, bool timed);
