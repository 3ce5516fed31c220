// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One result as the server keeps it: the table it belongs to and the game's entry.

#include "core/uResultRecord.h"

#include <cstdint>
#include <string>

struct tScoreRecord {
    std::string GameType;
    std::string Difficulty;
    tResultRecord Entry;
    // The start time in milliseconds, the last key of the ranking.
    int64_t StartMs = 0;
    // The key the database gave it, and the number in its address; 0 while it is not stored.
    int64_t Id = 0;
    // Its game's replay, played again by the server at the times of its key presses, gave back every field of
    // it.
    bool Verified = false;
};

// What a verified result keeps of its proof: the replay file as it came, and the well its game ended with,
// as WellPicture writes it.
struct tReplayKept {
    std::string Replay;
    std::string FinalWell;
    // The game the replay holds, whatever bytes carry it: one game proves one result.
    std::string Game;
};
