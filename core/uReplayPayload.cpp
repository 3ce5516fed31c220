// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/uReplayPayload.h"

#include "core/uRules.h"

#include <iterator>

namespace {

void PutNumber(std::string& out, uint64_t value) {
    while (value >= 0x80) {
        out += static_cast<char>((value & 0x7F) | 0x80);
        value >>= 7;
    }
    out += static_cast<char>(value);
}

// Reads the payload front to back; every read fails once the bytes run out or a number is too long.
class tPayloadReader {
public:
    explicit tPayloadReader(std::string_view bytes) : bytes_(bytes) {}

    bool Number(uint64_t& value, uint64_t max) {
        value = 0;
        for (int shift = 0; shift < 64; shift += 7) {
            if (at_ >= bytes_.size()) {
                return false;
            }
            const auto byte = static_cast<uint8_t>(bytes_[at_++]);
            value |= static_cast<uint64_t>(byte & 0x7F) << shift;
            if ((byte & 0x80) == 0) {
                return value <= max;
            }
        }
        return false;
    }
    bool Bytes(std::string& text, size_t size) {
        if (bytes_.size() - at_ < size) {
            return false;
        }
        text.assign(bytes_.substr(at_, size));
        at_ += size;
        return true;
    }
    bool Byte(uint8_t& value) {
        if (at_ >= bytes_.size()) {
            return false;
        }
        value = static_cast<uint8_t>(bytes_[at_++]);
        return true;
    }
    bool AtEnd() const { return at_ == bytes_.size(); }

private:
    std::string_view bytes_;
    size_t at_ = 0;
};

// The reasons in English, "%1" and on standing for the values; in the order of tReplayProblem.
constexpr const char* kEnglishProblems[] = {
    "",
    "%1.",
    "The replay is larger than %1 KiB.",
    "The file is no replay of this game.",
    "The replay has format %1; this program reads formats %2 and %3.",
    "The replay is damaged: its checksum does not match.",
    "The replay's data cannot be unpacked, or unpacks to more than %1.",
    "The replay's game type or difficulty is none of the game's.",
    "The replay's start level or broken lines lie outside what the game offers.",
    "The replay's seed or start time cannot be read.",
    "The replay's length cannot be read, or is beyond any game.",
    "Key press %1 of the replay cannot be read.",
    "Key press %1 of the replay comes before the first tick.",
    "The time of key press %1 of the replay cannot be read.",
    "The replay holds more than its game.",
};
static_assert(std::size(kEnglishProblems) == static_cast<size_t>(tReplayProblem::MoreThanItsGame) + 1);

} // namespace

tReplayRead RefusedReplay(tReplayProblem kind, std::vector<std::string> values) {
    std::string problem = kEnglishProblems[static_cast<size_t>(kind)];
    for (size_t i = values.size(); i-- > 0;) {
        const std::string mark = "%" + std::to_string(i + 1);
        for (size_t at = problem.find(mark); at != std::string::npos; at = problem.find(mark, at)) {
            problem.replace(at, mark.size(), values[i]);
            at += values[i].size();
        }
    }
    return {std::nullopt, std::move(problem), kind, std::move(values)};
}

std::string ReplayPayload(const tGameRecord& record) {
    std::string payload;
    const tGameSettings& s = record.Settings;
    for (const int value : {s.GameType, s.Difficulty, s.StartLevel, s.BrokenLines}) {
        PutNumber(payload, static_cast<uint64_t>(value));
    }
    PutNumber(payload, record.Seed);
    PutNumber(payload, record.StartTime.size());
    payload += record.StartTime;
    PutNumber(payload, static_cast<uint64_t>(record.Ticks));
    PutNumber(payload, record.Presses.size());
    int64_t tick = 0;
    int64_t time = 0;
    for (const tRecordedPress& press : record.Presses) {
        PutNumber(payload, static_cast<uint64_t>(press.Tick - tick));
        payload += static_cast<char>(press.Actions);
        tick = press.Tick;
        if (record.Timed) {
            PutNumber(payload, static_cast<uint64_t>(press.TimeMs - time));
            time = press.TimeMs;
        }
    }
    return payload;
}

tReplayRead ReadReplayPayload(std::string_view payload, bool timed) {
    tPayloadReader in(payload);
    tGameRecord record;
    uint64_t type = 0, difficulty = 0, level = 0, lines = 0, seed = 0, timeSize = 0, ticks = 0, presses = 0;
    if (!in.Number(type, kGameTypes.size() - 1) || !in.Number(difficulty, kDifficulties.size() - 1)) {
        return RefusedReplay(tReplayProblem::UnknownTable);
    }
    const int maxLevel = kDifficulties[static_cast<size_t>(difficulty)].MaxStartLevel;
    if (!in.Number(level, static_cast<uint64_t>(maxLevel)) || level < kMinStartLevel ||
        !in.Number(lines, kMaxBrokenLines)) {
        return RefusedReplay(tReplayProblem::OutsideSettings);
    }
    if (!in.Number(seed, UINT32_MAX) || !in.Number(timeSize, kMaxReplayStartTime) ||
        !in.Bytes(record.StartTime, static_cast<size_t>(timeSize))) {
        return RefusedReplay(tReplayProblem::NoSeed);
    }
    // A press takes two bytes at least, three with its time.
    if (!in.Number(ticks, kMaxReplayTicks) || !in.Number(presses, payload.size() / (timed ? 3 : 2))) {
        return RefusedReplay(tReplayProblem::NoLength);
    }
    record.Settings = {static_cast<int>(type), static_cast<int>(difficulty), static_cast<int>(level),
                       static_cast<int>(lines)};
    record.Seed = static_cast<uint32_t>(seed);
    record.Ticks = static_cast<int64_t>(ticks);
    record.Timed = timed;
    record.Presses.reserve(static_cast<size_t>(presses));
    int64_t tick = 0;
    int64_t time = 0;
    for (uint64_t i = 0; i < presses; ++i) {
        uint64_t delta = 0;
        uint8_t actions = 0;
        if (!in.Number(delta, static_cast<uint64_t>(record.Ticks - tick)) || !in.Byte(actions) ||
            actions == 0 || actions >= (1u << kActionCount)) {
            return RefusedReplay(tReplayProblem::BadPress, {std::to_string(i + 1)});
        }
        tick += static_cast<int64_t>(delta);
        if (tick < 1) {
            return RefusedReplay(tReplayProblem::PressTooEarly, {std::to_string(i + 1)});
        }
        uint64_t elapsed = 0;
        if (timed && !in.Number(elapsed, static_cast<uint64_t>(kMaxReplayTimeMs - time))) {
            return RefusedReplay(tReplayProblem::BadPressTime, {std::to_string(i + 1)});
        }
        time += static_cast<int64_t>(elapsed);
        record.Presses.push_back({tick, static_cast<tActionSet>(actions), time});
    }
    if (!in.AtEnd()) {
        return RefusedReplay(tReplayProblem::MoreThanItsGame);
    }
    return {std::move(record), {}, tReplayProblem::None, {}};
}
