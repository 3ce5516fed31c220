// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The proof of a result: its game's replay, played again through the game's own model, gives back every
// field of it. The replay is read within the replay file's bounds, and playing it costs what its figures and
// keys cost.

#include "server/uScoreRecord.h"

#include <cstddef>
#include <string>
#include <string_view>

// The most a replay the server plays may unpack to. A game whose upload address fits the request line unpacks
// to about 250 KiB at most, even the auto-player's at the fastest speed, whose regular keys pack best; a
// replay packed to unpack to far more, and to cost far more than its bytes, is refused before it is read.
inline constexpr size_t kMaxCheckedPayload = 512 * 1024;

struct tReplayProof {
    // Empty when the replay gives the result back; otherwise why not, as a sentence for the sender.
    std::string Problem;
    // The well the replayed game ended with, as WellPicture writes it.
    std::string FinalWell;
    // The game's key: a SHA-256 of its record as the replay holds it before packing, in hex.
    std::string Game;
};

// record has passed CheckUpload; replay holds the bytes of a replay file. The fields are compared in this
// order, and the first that differs is named: game type, difficulty, start level, broken lines, level,
// score, figures, cleared, start time; and the play time may be no shorter than the timer's ticks took.
tReplayProof CheckReplay(const tScoreRecord& record, std::string_view replay);

// A replay being checked takes a few MiB for a moment. Kept in the process's heap for the next one, rather
// than mapped afresh and handed back each time, that memory costs no page faults, a quarter of a long game's
// check. For the whole process: main() calls it once.
void KeepReplayMemory();
