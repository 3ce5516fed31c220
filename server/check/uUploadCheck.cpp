// SPDX-License-Identifier: GPL-3.0-or-later
#include "server/check/uUploadCheck.h"

#include "platform/uCodePage.h"
#include "server/check/uFieldForms.h"
#include "server/check/uPlausibility.h"
#include "server/check/uScoreTables.h"
#include "storage/uHSUpload.h"
#include "storage/uHSUploadData.h"

#include <algorithm>
#include <chrono>
#include <limits>

namespace {

constexpr int64_t kInt32Max = std::numeric_limits<int32_t>::max();

// A number the checks already found to be one.
int32_t CheckedNumber(std::string_view text) {
    return static_cast<int32_t>(DecimalUpTo(text, kInt32Max).value_or(0));
}

tUploadVerdict Refused(std::string problem) {
    return {std::nullopt, std::move(problem)};
}

// Control bytes would break the page and the JSON; bytes the code page leaves unassigned have no letter to
// show.
std::string NameProblem(const std::string& name) {
    if (name.empty()) {
        return "The name is empty.";
    }
    if (name.size() > kMaxNameBytes) {
        return "The name is longer than " + std::to_string(kMaxNameBytes) + " bytes.";
    }
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            return "The name holds a control character.";
        }
    }
    const QString text = FromCodePage(name);
    const bool printable = std::all_of(text.begin(), text.end(), [](QChar ch) { return ch.isPrint(); });
    if (!printable || ToCodePage(text) != name) {
        return "The name holds a byte that is no Windows-1251 character.";
    }
    return {};
}

} // namespace

tUploadVerdict CheckUpload(std::string_view data) {
    const std::optional<tHSUploadFields> fields = SplitUploadData(data);
    if (!fields) {
        return Refused("The data does not hold the thirteen fields of a result, separated by \"|\".");
    }
    const tResultValues& values = fields->Values;
    if (fields->Build != std::to_string(kUploadBuild)) {
        return Refused("The result comes from another build of the game; this server takes build " +
                       std::to_string(kUploadBuild) + ".");
    }
    if (!IsGameType(fields->GameType)) {
        return Refused("The game type is neither \"Standart\" nor \"Extended\".");
    }
    const std::optional<int> difficulty = DifficultyIndex(fields->Difficulty);
    if (!difficulty) {
        return Refused("The difficulty is not one of \"Easy\", \"Normal\", \"Hard\" and \"Impossible\".");
    }
    if (std::string problem = NameProblem(values[tResultField::Name]); !problem.empty()) {
        return Refused(std::move(problem));
    }
    const int64_t maxStart = kDifficulties[static_cast<size_t>(*difficulty)].MaxStartLevel;
    const std::optional<int64_t> startLevel = DecimalUpTo(values[tResultField::StartLevel], maxStart);
    if (!startLevel || *startLevel < 1) {
        return Refused("The start level is not a whole number from 1 to " + std::to_string(maxStart) +
                       " (the highest at this difficulty).");
    }
    const std::optional<int64_t> level = DecimalUpTo(values[tResultField::Level], kInt32Max);
    if (!level || *level < *startLevel) {
        return Refused("The level is not a whole number from the start level to " +
                       std::to_string(kInt32Max) + ".");
    }
    const std::optional<int64_t> score = DecimalUpTo(values[tResultField::Score], kInt32Max);
    if (!score) {
        return Refused("The score is not a whole number from 0 to " + std::to_string(kInt32Max) + ".");
    }
    if (!IsStartTimeText(values[tResultField::StartTime])) {
        return Refused("The start time is not a date and time of the form dd.mm.yy hh:nn:ss.");
    }
    if (!IsPlayTimeText(values[tResultField::PlayTime])) {
        return Refused("The play time is not minutes and seconds of the form 0:00.");
    }
    if (!DecimalUpTo(values[tResultField::BrokenLines], kMaxBrokenLines)) {
        return Refused("The broken lines are not a whole number from 0 to " +
                       std::to_string(kMaxBrokenLines) + ".");
    }
    if (!IsCountWithRateText(values[tResultField::Figures])) {
        return Refused("The figures are not a count with its rate, of the form 0 [0,0/m].");
    }
    if (!IsCountWithRateText(values[tResultField::Cleared])) {
        return Refused("The cleared lines are not a count with their rate, of the form 0 [0,0/m].");
    }

    tScoreRecord record;
    record.GameType = fields->GameType;
    record.Difficulty = fields->Difficulty;
    record.Entry = RecordOf(values, CheckedNumber);
    record.StartMs = *StartTimeMs(record.Entry.StartTime);
    if (UploadDigest(record.GameType, record.Difficulty, record.Entry) != fields->Digest) {
        return Refused("The digest does not match the fields: the result was changed on its way.");
    }
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    if (std::string problem =
            PlausibilityProblem(record, std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
        !problem.empty()) {
        return Refused(std::move(problem));
    }
    return {std::move(record), {}};
}
