// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The proof of a result: its game's replay, played again through the game's own model at the times its key
// presses came, under the rules a real player's game keeps, gives back every field of it. The game's seed
// follows from the result's name, start time and settings, so a replay proves a result of that player and
// that moment alone. The replay is read within the replay file's bounds, and every bound that costs no
// playing is looked at before a step of it is played.

#include "server/check/uScoreRecord.h"

#include <cstddef>
#include <string>
#include <string_view>

// The most a replay the server plays may unpack to. A game whose upload address fits the request line unpacks
// to about 250 KiB at most, even the auto-player's at the fastest speed, whose regular keys pack best; a
// replay packed to unpack to far more, and to cost far more than its bytes, is refused before it is read.
inline constexpr size_t kMaxCheckedPayload = 512 * 1024;

enum class tReplayVerdict {
    // The replay gives the result back: FinalWell and Game are set.
    Proven,
    // The replay is of the first format, whose key presses have no times, so nothing can be checked at its
    // times: the result stands as one that came without a replay. Problem says so.
    Untimed,
    // Problem says why, as a sentence for the sender.
    Refused,
};

struct tReplayProof {
    tReplayVerdict Verdict = tReplayVerdict::Refused;
    std::string Problem;
    // The well the replayed game ended with, as WellPicture writes it.
    std::string FinalWell;
    // The game's key: a SHA-256 of the text its seed is made of, in hex. However its presses went, one
    // player's game of one start time and settings has one key.
    std::string Game;
};

// record has passed CheckUpload; replay holds the bytes of a replay file. Before playing: the replay's game
// type, difficulty, start time, start level and broken lines must be the result's, and its seed the one
// they and the result's name give. Then the replay is played at its times (ReplayChecked), and the result
// the game enters in a table (GameResult, its rates written with the separator of the result's figures)
// must be the result, field by field in the table's order; the first field that differs is named.
tReplayProof CheckReplay(const tScoreRecord& record, std::string_view replay);

// A replay being checked takes a few MiB for a moment. Kept in the process's heap for the next one, rather
// than mapped afresh and handed back each time, that memory costs no page faults, a quarter of a long game's
// check. For the whole process: main() calls it once.
void KeepReplayMemory();
