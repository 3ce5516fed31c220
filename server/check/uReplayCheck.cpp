// SPDX-License-Identifier: GPL-3.0-or-later
#include "server/check/uReplayCheck.h"

#include "core/uGameReplay.h"
#include "core/uGameResult.h"
#include "core/uGameSeed.h"
#include "platform/uCodePage.h"
#include "server/check/uFieldForms.h"
#include "server/check/uWellPicture.h"
#include "storage/uReplayFile.h"

#include <QCryptographicHash>
#include <malloc.h>

#include <algorithm>
#include <optional>

namespace {

tReplayProof Refused(std::string problem) {
    return {tReplayVerdict::Refused, std::move(problem), {}, {}};
}

// "play time", as the refusals name a field.
std::string FieldName(const tResultFieldSpec& field) {
    std::string name(field.JsonKey);
    std::replace(name.begin(), name.end(), '_', ' ');
    return name;
}

std::string Disagrees(const std::string& field, const std::string& replayed, const std::string& claimed) {
    return "The replay disagrees: " + field + " (its game gives " + replayed + ", the result says " +
           claimed + ").";
}

// The fields a replay states before it is played.
bool IsSetUp(tResultField field) {
    return field == tResultField::StartTime || field == tResultField::StartLevel ||
           field == tResultField::BrokenLines;
}

// The first of the game type, the difficulty and then the fields in the table's order in which the replayed
// values differ from the claimed result: every field, or those the replay states before it is played.
std::optional<std::string> Disagreement(const tScoreRecord& claimed, const tGameSettings& settings,
                                        const tResultValues& replayed, bool setUpOnly) {
    const std::string gameType(kGameTypes[static_cast<size_t>(settings.GameType)].Name);
    if (gameType != claimed.GameType) {
        return Disagrees("game type", gameType, claimed.GameType);
    }
    const std::string difficulty(kDifficulties[static_cast<size_t>(settings.Difficulty)].Name);
    if (difficulty != claimed.Difficulty) {
        return Disagrees("difficulty", difficulty, claimed.Difficulty);
    }
    const tResultValues values = ValuesOf(claimed.Entry);
    for (const tResultFieldSpec& f : kResultFields) {
        if ((!setUpOnly || IsSetUp(f.Field)) && replayed[f.Field] != values[f.Field]) {
            return Disagrees(FieldName(f), replayed[f.Field], values[f.Field]);
        }
    }
    return std::nullopt;
}

// What the replay says of its game before it is played.
tResultValues SetUpValues(const tGameRecord& record) {
    tResultValues values;
    values[tResultField::StartTime] = record.StartTime;
    values[tResultField::StartLevel] = std::to_string(record.Settings.StartLevel);
    values[tResultField::BrokenLines] = std::to_string(record.Settings.BrokenLines);
    return values;
}

std::string GameKey(const std::string& seedText) {
    return QCryptographicHash::hash(QByteArrayView(seedText.data(), static_cast<qsizetype>(seedText.size())),
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
    const tGameRecord& played = *read.Record;
    if (!played.Timed) {
        return {tReplayVerdict::Untimed,
                "The replay is of an older format (" + std::to_string(kUntimedReplayFormat) +
                    "), whose key presses have no times, so it cannot be checked at its times.",
                {},
                {}};
    }
    const tResultRecord& e = record.Entry;
    const std::optional<char> separator = RateSeparatorOf(e.Figures);
    if (!separator) {
        return Refused("The result's figures are not written as the game writes them.");
    }
    if (const auto differs = Disagreement(record, played.Settings, SetUpValues(played), true)) {
        return Refused(*differs);
    }
    // The settings are the result's now, and so is the start time.
    const std::string lowerName = LowerText(e.Name);
    const uint32_t seed = GameSeed(lowerName, e.StartTime, played.Settings);
    if (played.Seed != seed) {
        return Refused("The replay's game is not this result's: its seed is " + std::to_string(played.Seed) +
                       ", and a game of this name, start time and settings has seed " + std::to_string(seed) +
                       ".");
    }
    tCheckedReplay checked = ReplayChecked(played);
    if (!checked.Problem.empty()) {
        return Refused(std::move(checked.Problem));
    }
    const tGameModel& game = checked.Game;
    if (game.Playing()) {
        return Refused("The replay ends before its game is over.");
    }
    // The model records what it took; a replay of the game as it was played holds nothing else.
    if (!(game.Record() == played)) {
        return Refused("The replay holds ticks or key presses its game did not take.");
    }
    if (const auto differs =
            Disagreement(record, game.Settings(), ValuesOf(GameResult(game, e.Name, *separator)), false)) {
        return Refused(*differs);
    }
    return {tReplayVerdict::Proven,
            {},
            WellPicture(game),
            GameKey(SeedText(lowerName, e.StartTime, played.Settings))};
}

void KeepReplayMemory() {
    mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 64 * 1024 * 1024);
}
