// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The stored form of a recorded game: "STKR", a format version, the record as variable-length numbers (each
// press as the ticks and, from format 2 on, the milliseconds since the one before) in one zlib stream, and a
// CRC-32 of everything before it. A ten-minute game takes a few KiB. The reader is bounded in every respect
// and refuses what it cannot read with the reason; it reads format 1, whose presses have no times, too.

#include "core/uGameRecord.h"
#include "core/uResultRecord.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

inline constexpr uint8_t kReplayFormat = 2;
// The format before the presses had their times.
inline constexpr uint8_t kUntimedReplayFormat = 1;
// Larger files and payloads are not read: a day of play at the fastest speed fits many times over.
inline constexpr size_t kMaxReplayBytes = 1024 * 1024;
inline constexpr size_t kMaxReplayPayload = 8 * 1024 * 1024;
// Ten days at one tick a millisecond.
inline constexpr int64_t kMaxReplayTicks = int64_t{864} * 1000 * 1000;
// Ten days of play.
inline constexpr int64_t kMaxReplayTimeMs = int64_t{864} * 1000 * 1000;
inline constexpr size_t kMaxReplayStartTime = 32;

// A record without times is written in the format it came in.
std::string EncodeReplay(const tGameRecord& record);
// The record as a replay holds it before packing: one game gives the same bytes, however a file packs them.
std::string ReplayPayload(const tGameRecord& record);

// The replay of a stored high score entry lies beside hscore.dat under this name:
// "hscore-Standart_Easy-3.rep" for key group 3 of that section. An entry that enters a table takes the key
// group of the one that drops out, so its replay takes that one's place too.
std::string ReplayFileName(std::string_view section, int32_t slot);
// A wildcard that every such name matches.
std::string ReplayFileWildcard();

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
// A reader with a narrower need may unpack less than kMaxReplayPayload: the score server, whose replays come
// inside an address, unpacks no more than the largest game such an address can carry.
tReplayRead DecodeReplay(std::string_view bytes, size_t maxPayload);

tReplayRead DecodeReplay(std::string_view bytes);

// A replay file as read: its bytes, to be sent on as they are, and what they decode to.
struct tReplayFile : tReplayRead {
    std::string Bytes;
};
// Reads at most one byte more than kMaxReplayBytes, so that a larger file is refused without being read
// whole. A file that cannot be opened is refused with the system's reason.
tReplayFile ReadReplayFile(const std::string& path);

// Whether a record is the game an entry of the table of this game type and difficulty was stored from: the
// same table, start time, start level and broken lines. A replay left beside hscore.dat by an entry that
// another program has since replaced is not.
bool RecordOfEntry(const tGameRecord& record, std::string_view gameType, std::string_view difficulty,
                   const tResultRecord& entry);
