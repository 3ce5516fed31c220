// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string_view>

// The checksum stored beside every high score entry. Existing files depend on each rule: the text is
// lower-cased over the code page, only its first (length mod 256) bytes count, and the register is not
// inverted at the end.
uint32_t TextCrc32(std::string_view text);
