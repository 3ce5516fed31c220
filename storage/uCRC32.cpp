// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/uCRC32.h"

#include "platform/uCodePage.h"

#include <zlib.h>

uint32_t TextCrc32(std::string_view text) {
    const std::string lower = LowerText(text.substr(0, text.size() % 256));
    const uLong crc =
        crc32(0L, reinterpret_cast<const Bytef*>(lower.data()), static_cast<uInt>(lower.size()));
    return ~static_cast<uint32_t>(crc);
}
