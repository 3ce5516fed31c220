// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading back the data string that UploadData builds: its thirteen fields as the texts that were sent.

#include <optional>
#include <string>
#include <string_view>

struct tHSUploadFields {
    std::string Build;
    std::string GameType;
    std::string Difficulty;
    std::string Name;
    std::string Level;
    std::string Score;
    std::string StartTime;
    std::string PlayTime;
    std::string StartLevel;
    std::string BrokenLines;
    std::string Figures;
    std::string Cleared;
    std::string Digest;
};

// Three fields are taken from the front and nine from the back; whatever lies between is the name, "|" and
// all, since a name is the only field that may hold one. Nothing when there are fewer than twelve separators.
std::optional<tHSUploadFields> SplitUploadData(std::string_view data);
