// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/uReplayFile.h"

#include <QFile>
#include <QString>
#include <zlib.h>

#include <array>

namespace {

constexpr std::string_view kMagic = "STKR";
constexpr size_t kCrcBytes = 4;

uint32_t Crc32(std::string_view bytes) {
    return static_cast<uint32_t>(
        crc32(0L, reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uInt>(bytes.size())));
}

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

std::string SizeText(size_t bytes) {
    constexpr size_t kMiB = 1024 * 1024;
    return bytes % kMiB == 0 ? std::to_string(bytes / kMiB) + " MiB" : std::to_string(bytes / 1024) + " KiB";
}

} // namespace

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
        return RefusedReplay(tReplayProblem::TooLarge, {std::to_string(kMaxReplayBytes / 1024)});
    }
    if (bytes.size() < kMagic.size() + 1 + kCrcBytes || bytes.substr(0, kMagic.size()) != kMagic) {
        return RefusedReplay(tReplayProblem::NotAReplay);
    }
    const auto format = static_cast<uint8_t>(bytes[kMagic.size()]);
    if (format != kReplayFormat && format != kUntimedReplayFormat) {
        return RefusedReplay(
            tReplayProblem::UnknownFormat,
            {std::to_string(format), std::to_string(kUntimedReplayFormat), std::to_string(kReplayFormat)});
    }
    const std::string_view body = bytes.substr(0, bytes.size() - kCrcBytes);
    uint32_t stored = 0;
    for (size_t i = 0; i < kCrcBytes; ++i) {
        stored |= static_cast<uint32_t>(static_cast<uint8_t>(bytes[body.size() + i])) << (8 * i);
    }
    if (Crc32(body) != stored) {
        return RefusedReplay(tReplayProblem::Damaged);
    }
    const std::optional<std::string> payload = Inflate(body.substr(kMagic.size() + 1), maxPayload);
    if (!payload) {
        return RefusedReplay(tReplayProblem::NotUnpacked, {SizeText(maxPayload)});
    }
    return ReadReplayPayload(*payload, format == kReplayFormat);
}

tReplayFile ReadReplayFile(const std::string& path) {
    tReplayFile file;
    QFile source(QString::fromStdString(path));
    if (!source.open(QIODevice::ReadOnly)) {
        static_cast<tReplayRead&>(file) =
            RefusedReplay(tReplayProblem::NotOpened, {source.errorString().toStdString()});
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
