// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The checks a received data string passes before its result is stored.

#include "server/check/uScoreRecord.h"

#include <optional>
#include <string>
#include <string_view>

struct tUploadVerdict {
    // Set when every check passed.
    std::optional<tScoreRecord> Record;
    // Otherwise what was wrong, as a sentence for the sender.
    std::string Problem;
};

// The longest name taken; the game stops typing long before, a name picked from a list may be longer.
inline constexpr size_t kMaxNameBytes = 255;

// data is the decoded data string, bytes as the game sent them.
tUploadVerdict CheckUpload(std::string_view data);
