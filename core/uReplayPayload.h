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
#include <vector>

// Ten days at one tick a millisecond.
inline constexpr int64_t kMaxReplayTicks = int64_t{864} * 1000 * 1000;
// Ten days of play.
inline constexpr int64_t kMaxReplayTimeMs = int64_t{864} * 1000 * 1000;
inline constexpr size_t kMaxReplayStartTime = 32;

// The record as a replay holds it before packing: one game gives the same bytes, however a file packs them.
std::string ReplayPayload(const tGameRecord& record);

// Why bytes are no replay. The game tells the player in the player's language, the score server its client
// in English; the numbers a reason names come with it.
enum class tReplayProblem {
    None,
    NotOpened,
    TooLarge,
    NotAReplay,
    UnknownFormat,
    Damaged,
    NotUnpacked,
    UnknownTable,
    OutsideSettings,
    NoSeed,
    NoLength,
    BadPress,
    PressTooEarly,
    BadPressTime,
    MoreThanItsGame,
};

struct tReplayRead {
    std::optional<tGameRecord> Record;
    // Why the bytes are no replay, when they are not, in English.
    std::string Problem;
    tReplayProblem Kind = tReplayProblem::None;
    // What the reason names, in its order: a size, formats, the number of a press, the system's words.
    std::vector<std::string> Values;
};
// A refusal of that kind, its English reason written with the values.
tReplayRead RefusedReplay(tReplayProblem kind, std::vector<std::string> values = {});
// The record of a payload whose presses carry their times (timed) or do not.
tReplayRead ReadReplayPayload(std::string_view payload, bool timed);
