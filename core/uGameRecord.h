// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A game as it was played: what it was started with and the key presses, each with the number of ticks that
// had run before it and the milliseconds of play before it. Pauses leave no trace: a paused game does not
// tick, and its time stands still.

#include "core/uGameSettings.h"
#include "core/uRules.h"

#include <cstdint>
#include <string>
#include <vector>

struct tRecordedPress {
    int64_t Tick = 0;
    tActionSet Actions = 0;
    // From the game's start, pauses left out.
    int64_t TimeMs = 0;
    bool operator==(const tRecordedPress&) const = default;
};

struct tGameRecord {
    tGameSettings Settings;
    uint32_t Seed = 0;
    std::string StartTime;
    // The ticks the game ran, its last one included.
    int64_t Ticks = 0;
    std::vector<tRecordedPress> Presses;
    // Whether the presses carry their times; replays of the first format kept the ticks alone.
    bool Timed = true;
    bool operator==(const tGameRecord&) const = default;
};
