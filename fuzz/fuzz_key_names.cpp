// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the key-name table as the two built-in lists would hold them: the names before the
// first NUL, the codes after it; then the look-ups a key edit and users.dat make.

#include "storage/uKeyNames.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const size_t cut = bytes.find('\0');
    tKeyNames table;
    table.Load(bytes.substr(0, cut),
               cut == std::string_view::npos ? std::string_view() : bytes.substr(cut + 1));
    std::array<std::string, 7> stored;
    for (int i = 0; i < table.Count(); ++i) {
        const std::string& name = table.Name(i);
        const uint16_t code = table.Code(i);
        if (table.IndexOfName(name) < 0 || table.IndexOfName(name) > i) {
            std::abort();
        }
        // Codes are looked up by their decimal text, so "$25" is not found as 37; whatever is found must
        // be that code.
        const int found = table.IndexOfCode(code);
        if (found >= 0 && table.Code(found) != code) {
            std::abort();
        }
        (void)table.CodeOfName(name);
        stored[static_cast<size_t>(i) % stored.size()] = ReadKeyName(table, name);
    }
    (void)KeysValid(stored);
    table.Free();
    return 0;
}
