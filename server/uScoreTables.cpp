// SPDX-License-Identifier: GPL-3.0-or-later
#include "server/uScoreTables.h"

#include <algorithm>

bool IsGameType(std::string_view name) {
    return std::find(kGameTypes.begin(), kGameTypes.end(), name) != kGameTypes.end();
}

std::optional<int> DifficultyIndex(std::string_view name) {
    const auto it = std::find(kDifficulties.begin(), kDifficulties.end(), name);
    if (it == kDifficulties.end()) {
        return std::nullopt;
    }
    return static_cast<int>(it - kDifficulties.begin());
}

int MaxStartLevel(int difficultyIndex) {
    return 25 - 5 * difficultyIndex;
}
