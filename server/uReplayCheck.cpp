// SPDX-License-Identifier: GPL-3.0-or-later
#include "server/uReplayCheck.h"

#include "core/uGameReplay.h"
#include "core/uStatText.h"
#include "server/uFieldForms.h"
#include "server/uWellPicture.h"
#include "storage/uReplayFile.h"

#include <QCryptographicHash>
#include <malloc.h>

#include <array>

namespace {

struct tCompared {
    const char* Field;
    std::string Replayed;
    std::string Claimed;
};

tReplayProof Refused(std::string problem) {
    return {std::move(problem), {}, {}};
}

// The same game packed another way, or sent in another file, has the same key.
std::string GameKey(const tGameRecord& record) {
    const std::string payload = ReplayPayload(record);
    return QCryptographicHash::hash(QByteArrayView(payload.data(), static_cast<qsizetype>(payload.size())),
                                    QCryptographicHash::Sha256)
        .toHex()
        .toStdString();
}

} // namespace

tReplayProof CheckReplay(const tScoreRecord& record, std::string_view replay) {
    const tReplayRead read = DecodeReplay(replay, kMaxCheckedPayload);
    if (!read.Record) {
        return Refused("The replay cannot be read: " + read.Problem);
    }
    const tGameModel game = ReplayGame(*read.Record);
    if (game.Playing()) {
        return Refused("The replay ends before its game is over.");
    }
    // The model records what it took; a replay of the game as it was played holds nothing else.
    if (!(game.Record() == *read.Record)) {
        return Refused("The replay holds ticks or key presses its game did not take.");
    }
    const tGameSettings& s = game.Settings();
    const tGameCounters& c = game.Counters();
    const tResultRecord& e = record.Entry;
    const std::array<tCompared, 9> compared{{
        {"game type", std::string(kGameTypes[static_cast<size_t>(s.GameType)].Name), record.GameType},
        {"difficulty", std::string(kDifficulties[static_cast<size_t>(s.Difficulty)].Name), record.Difficulty},
        {"start level", std::to_string(s.StartLevel), e.StartLevel},
        {"broken lines", std::to_string(s.BrokenLines), e.BrokenLines},
        {"level", std::to_string(c.Level), std::to_string(e.Level)},
        {"score", std::to_string(c.Score), std::to_string(e.Score)},
        {"figures", std::to_string(c.Figures), std::to_string(CountOf(e.Figures))},
        {"cleared", std::to_string(c.Cleared), std::to_string(CountOf(e.Cleared))},
        {"start time", read.Record->StartTime, e.StartTime},
    }};
    for (const tCompared& field : compared) {
        if (field.Replayed != field.Claimed) {
            return Refused("The replay disagrees: " + std::string(field.Field) + " (its game gives " +
                           field.Replayed + ", the result says " + field.Claimed + ").");
        }
    }
    // The play time is written in whole seconds cut off.
    if ((PlayTimeSeconds(e.PlayTime) + 1) * 1000 <= c.TickedMs) {
        return Refused("The replay disagrees: play time (its ticks take " +
                       TimeText(static_cast<double>(c.TickedMs) / 1000.0) + ", the result says " +
                       e.PlayTime + ").");
    }
    return {{}, WellPicture(game), GameKey(*read.Record)};
}

void KeepReplayMemory() {
    mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 64 * 1024 * 1024);
}
