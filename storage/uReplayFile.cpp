// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/uReplayFile.h"

#include <QFile>
#include <QString>
#include <zlib.h>

#include <array>
#include <iterator>

namespace {

constexpr std::string_view kMagic = "STKR";
constexpr size_t kCrcBytes = 4;

void PutNumber(std::string& out, uint64_t value) {
    while (value >= 0x80) {
        out += static_cast<char>((value & 0x7F) | 0x80);
        value >>= 7;
    }
    out += static_cast<char>(value);
}

uint32_t Crc32(std::string_view bytes) {
    return static_cast<uint32_t>(
        crc32(0L, reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uInt>(bytes.size())));
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

std::optional<std::string> Inflate(std::string_view packed, size_t maxPayload) {
    z_stream zs{};
    if (inflateInit(&zs) != Z_OK) {
        return std::nullopt;
    }
    zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.data()));
    zs.avail_in = static_cast<uInt>(packed.size());
    std::string out;
    std::array<char, 16384> chunk{};
    int rc = Z_OK;
    while (rc == Z_OK) {
        zs.next_out = reinterpret_cast<Bytef*>(chunk.data());
        zs.avail_out = static_cast<uInt>(chunk.size());
        rc = inflate(&zs, Z_NO_FLUSH);
        out.append(chunk.data(), chunk.size() - zs.avail_out);
        if (out.size() > maxPayload || (rc == Z_BUF_ERROR && zs.avail_in == 0)) {
            break;
        }
    }
    const bool whole = rc == Z_STREAM_END && zs.avail_in == 0 && out.size() <= maxPayload;
    inflateEnd(&zs);
    if (!whole) {
        return std::nullopt;
    }
    return out;
}

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

tReplayRead Refused(tReplayProblem kind, std::vector<std::string> values = {}) {
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

std::string SizeText(size_t bytes) {
    constexpr size_t kMiB = 1024 * 1024;
    return bytes % kMiB == 0 ? std::to_string(bytes / kMiB) + " MiB" : std::to_string(bytes / 1024) + " KiB";
}

} // namespace

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

std::string EncodeReplay(const tGameRecord& record) {
    const std::string payload = ReplayPayload(record);
    uLongf size = compressBound(static_cast<uLong>(payload.size()));
    std::string packed(size, '\0');
    compress2(reinterpret_cast<Bytef*>(packed.data()), &size, reinterpret_cast<const Bytef*>(payload.data()),
              static_cast<uLong>(payload.size()), Z_BEST_COMPRESSION);
    packed.resize(size);
    std::string file(kMagic);
    file += static_cast<char>(record.Timed ? kReplayFormat : kUntimedReplayFormat);
    file += packed;
    const uint32_t crc = Crc32(file);
    for (size_t i = 0; i < kCrcBytes; ++i) {
        file += static_cast<char>((crc >> (8 * i)) & 0xFF);
    }
    return file;
}

std::string ReplayFileName(std::string_view section, int32_t slot) {
    return "hscore-" + std::string(section) + "-" + std::to_string(slot) + ".rep";
}

std::string ReplayFileWildcard() {
    return "hscore-*-*.rep";
}

tReplayRead DecodeReplay(std::string_view bytes) {
    return DecodeReplay(bytes, kMaxReplayPayload);
}

tReplayRead DecodeReplay(std::string_view bytes, size_t maxPayload) {
    if (bytes.size() > kMaxReplayBytes) {
        return Refused(tReplayProblem::TooLarge, {std::to_string(kMaxReplayBytes / 1024)});
    }
    if (bytes.size() < kMagic.size() + 1 + kCrcBytes || bytes.substr(0, kMagic.size()) != kMagic) {
        return Refused(tReplayProblem::NotAReplay);
    }
    const auto format = static_cast<uint8_t>(bytes[kMagic.size()]);
    if (format != kReplayFormat && format != kUntimedReplayFormat) {
        return Refused(
            tReplayProblem::UnknownFormat,
            {std::to_string(format), std::to_string(kUntimedReplayFormat), std::to_string(kReplayFormat)});
    }
    const std::string_view body = bytes.substr(0, bytes.size() - kCrcBytes);
    uint32_t stored = 0;
    for (size_t i = 0; i < kCrcBytes; ++i) {
        stored |= static_cast<uint32_t>(static_cast<uint8_t>(bytes[body.size() + i])) << (8 * i);
    }
    if (Crc32(body) != stored) {
        return Refused(tReplayProblem::Damaged);
    }
    const std::optional<std::string> payload = Inflate(body.substr(kMagic.size() + 1), maxPayload);
    if (!payload) {
        return Refused(tReplayProblem::NotUnpacked, {SizeText(maxPayload)});
    }
    tPayloadReader in(*payload);
    tGameRecord record;
    uint64_t type = 0, difficulty = 0, level = 0, lines = 0, seed = 0, timeSize = 0, ticks = 0, presses = 0;
    if (!in.Number(type, kGameTypes.size() - 1) || !in.Number(difficulty, kDifficulties.size() - 1)) {
        return Refused(tReplayProblem::UnknownTable);
    }
    const int maxLevel = kDifficulties[static_cast<size_t>(difficulty)].MaxStartLevel;
    if (!in.Number(level, static_cast<uint64_t>(maxLevel)) || level < kMinStartLevel ||
        !in.Number(lines, kMaxBrokenLines)) {
        return Refused(tReplayProblem::OutsideSettings);
    }
    if (!in.Number(seed, UINT32_MAX) || !in.Number(timeSize, kMaxReplayStartTime) ||
        !in.Bytes(record.StartTime, static_cast<size_t>(timeSize))) {
        return Refused(tReplayProblem::NoSeed);
    }
    // A press takes two bytes at least, three with its time.
    const bool timed = format == kReplayFormat;
    if (!in.Number(ticks, kMaxReplayTicks) || !in.Number(presses, payload->size() / (timed ? 3 : 2))) {
        return Refused(tReplayProblem::NoLength);
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
            return Refused(tReplayProblem::BadPress, {std::to_string(i + 1)});
        }
        tick += static_cast<int64_t>(delta);
        if (tick < 1) {
            return Refused(tReplayProblem::PressTooEarly, {std::to_string(i + 1)});
        }
        uint64_t elapsed = 0;
        if (timed && !in.Number(elapsed, static_cast<uint64_t>(kMaxReplayTimeMs - time))) {
            return Refused(tReplayProblem::BadPressTime, {std::to_string(i + 1)});
        }
        time += static_cast<int64_t>(elapsed);
        record.Presses.push_back({tick, static_cast<tActionSet>(actions), time});
    }
    if (!in.AtEnd()) {
        return Refused(tReplayProblem::MoreThanItsGame);
    }
    return {std::move(record), {}, tReplayProblem::None, {}};
}

tReplayFile ReadReplayFile(const std::string& path) {
    tReplayFile file;
    QFile source(QString::fromStdString(path));
    if (!source.open(QIODevice::ReadOnly)) {
        static_cast<tReplayRead&>(file) =
            Refused(tReplayProblem::NotOpened, {source.errorString().toStdString()});
        return file;
    }
    file.Bytes = source.read(static_cast<qint64>(kMaxReplayBytes) + 1).toStdString();
    static_cast<tReplayRead&>(file) = DecodeReplay(file.Bytes);
    return file;
}

bool RecordOfEntry(const tGameRecord& record, std::string_view gameType, std::string_view difficulty,
                   const tResultRecord& entry) {
    const tGameSettings& game = record.Settings;
    return GameTypeIndex(gameType) == game.GameType && DifficultyIndex(difficulty) == game.Difficulty &&
           record.StartTime == entry.StartTime && std::to_string(game.StartLevel) == entry.StartLevel &&
           std::to_string(game.BrokenLines) == entry.BrokenLines;
}
