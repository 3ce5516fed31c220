// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading back the data string that UploadData builds: build, table, the result's values and the digest, as
// the texts that were sent.

#include "core/uResultRecord.h"

#include <optional>
#include <string>
#include <string_view>

struct tHSUploadFields {
    std::string Build;
    std::string GameType;
    std::string Difficulty;
    tResultValues Values;
    std::string Digest;
};

// Three fields are taken from the front and the digest and the values after the name from the back; whatever
// lies between is the name, "|" and all, since a name is the only field that may hold one. Nothing when there
// are too few separators.
std::optional<tHSUploadFields> SplitUploadData(std::string_view data);
