// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the code page: as 8-bit text from a file, and as UTF-16 text from the system
// (file names, typed names), with letter case folded both ways.

#include "platform/uCodePage.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const QString text = FromCodePage(bytes);
    const std::string back = ToCodePage(text);
    if (IsRepresentable(text) && back.size() != bytes.size()) {
        std::abort();
    }
    const std::string lower = LowerText(bytes);
    if (lower.size() != bytes.size() || !SameTextNoCase(lower, bytes)) {
        std::abort();
    }
    std::u16string units(size / 2, u'\0');
    std::memcpy(units.data(), data, units.size() * 2);
    const QString wide = QString::fromUtf16(units.data(), static_cast<qsizetype>(units.size()));
    const std::string narrow = ToCodePage(wide);
    if (narrow.size() != static_cast<size_t>(wide.size())) {
        std::abort();
    }
    (void)IsRepresentable(wide);
    // A language file's code page: any value is a converter or none, and any bytes are text in it or not.
    const std::string converter = ConverterName(bytes.substr(0, 40));
    (void)DecodeText(bytes, converter.empty() ? "UTF-8" : converter);
    return 0;
}
