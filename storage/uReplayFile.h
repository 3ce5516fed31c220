// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The stored form of a recorded game: "STKR", a format version, the record's payload (core/uReplayPayload;
// from format 2 on its presses carry their times) in one zlib stream, and a CRC-32 of everything before it. A
// ten-minute game takes a few KiB. The reader is bounded in every respect and refuses what it cannot read
// with the reason; it reads format 1, whose presses have no times, too.

#include "core/uGameRecord.h"
#include "core/uReplayPayload.h"
#include "core/uResultRecord.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

inline constexpr uint8_t kReplayFormat = 2;
// The format before the presses had their times.
inline constexpr uint8_t kUntimedReplayFormat = 1;
// Larger files and payloads are not read: a day of play at the fastest speed fits many times over.
inline constexpr size_t kMaxReplayBytes = 1024 * 1024;
inline constexpr size_t kMaxReplayPayload = 8 * 1024 * 1024;

// A record without times is written in the format it came in.
std::string EncodeReplay(const tGameRecord& record);

// The replay of a stored high score entry lies beside hscore.dat under this name:
// "hscore-Standart_Easy-3.rep" for key group 3 of that section. An entry that enters a table takes the key
// group of the one that drops out, so its replay takes that one's place too.
std::string ReplayFileName(std::string_view section, int32_t slot);
// A wildcard that every such name matches.
std::string ReplayFileWildcard();

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
