// SPDX-License-Identifier: GPL-3.0-or-later
#include "look/uSkinBitmap.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include <algorithm>
#include <cstdint>

namespace {

QString FromPath(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

uint32_t Le32(const QByteArray& bytes, int at) {
    return static_cast<uint32_t>(static_cast<uint8_t>(bytes[at])) |
           static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + 1])) << 8 |
           static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + 2])) << 16 |
           static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + 3])) << 24;
}

// Walks a run-length stream (8 or 4 bits a pixel) without decoding it: true when its runs set every pixel of
// every row. The reader leaves pixels that a stream skips (a row ended early, a jump, data cut off) as
// whatever the memory held, so such a picture would differ from one run to the next.
bool RunsFillAllRows(const QByteArray& data, int width, int height, bool fourBits) {
    qsizetype at = 0;
    int x = 0;
    int y = 0;
    const auto complete = [&] { return y >= height || (y == height - 1 && x >= width); };
    while (at + 1 < data.size() && y < height) {
        const auto count = static_cast<uint8_t>(data[at]);
        const auto code = static_cast<uint8_t>(data[at + 1]);
        at += 2;
        if (count > 0) {
            x += count;
            continue;
        }
        switch (code) {
        case 0:
            if (x < width) {
                return false;
            }
            ++y;
            x = 0;
            break;
        case 1:
            return complete();
        case 2:
            return false;
        default: {
            const qsizetype bytes = fourBits ? (code + 1) / 2 : code;
            at += (bytes + 1) / 2 * 2;
            if (at > data.size()) {
                return false;
            }
            x += code;
        }
        }
    }
    return complete();
}

// The reader decodes what a cut-off file holds and leaves the rest of the picture undefined, so an
// uncompressed file must be long enough for every row its header declares, and a compressed one must set
// every pixel.
bool HoldsAllRows(const QString& path, int width, int height) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    const QByteArray header = file.read(34);
    if (header.size() < 34) {
        return false;
    }
    const uint32_t pixelsAt = Le32(header, 10);
    // The old OS/2 header is 12 bytes long, with 16-bit sizes and no compression field.
    const bool coreHeader = Le32(header, 14) == 12;
    const int bitsAt = coreHeader ? 24 : 28;
    const uint32_t bitsPerPixel = static_cast<uint32_t>(static_cast<uint8_t>(header[bitsAt]) |
                                                        static_cast<uint8_t>(header[bitsAt + 1]) << 8);
    const uint32_t compression = coreHeader ? 0 : Le32(header, 30);
    if (compression == 1 || compression == 2) {
        if (!file.seek(pixelsAt)) {
            return false;
        }
        // A stream longer than its file holds no pixels beyond the file; the limit keeps a header that
        // claims a huge picture from costing memory.
        const qint64 most = int64_t{width} * height + 2 * int64_t{height} + 2;
        return RunsFillAllRows(file.read(std::min(most * 2, file.size())), width, height, compression == 2);
    }
    const bool uncompressed = compression == 0 || compression == 3 || compression == 6;
    if (!uncompressed) {
        return true;
    }
    const uint64_t rowBytes = (uint64_t{static_cast<uint32_t>(width)} * bitsPerPixel + 31) / 32 * 4;
    return uint64_t{pixelsAt} + rowBytes * static_cast<uint32_t>(height) <=
           static_cast<uint64_t>(file.size());
}

} // namespace

QSize BmpHeaderSize(const std::string& path) {
    if (!QFileInfo(FromPath(path)).isFile()) {
        return {};
    }
    QImageReader reader(FromPath(path), "bmp");
    reader.setAutoDetectImageFormat(false);
    return reader.size();
}

std::optional<QImage> ReadBmpOfSize(const std::string& path, int width, int height) {
    const QString file = FromPath(path);
    if (!QFileInfo(file).isFile()) {
        return std::nullopt;
    }
    QImageReader reader(file, "bmp");
    reader.setAutoDetectImageFormat(false);
    if (reader.size() != QSize(width, height) || !HoldsAllRows(file, width, height)) {
        return std::nullopt;
    }
    const QImage image = reader.read();
    if (image.isNull() || image.size() != QSize(width, height)) {
        return std::nullopt;
    }
    return image.convertToFormat(QImage::Format_RGB32);
}
