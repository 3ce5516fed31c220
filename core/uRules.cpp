// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/uRules.h"

#include <algorithm>

namespace {

template <typename tRule, size_t N>
std::optional<int> IndexOfName(const std::array<tRule, N>& rules, std::string_view name) {
    const auto it =
        std::find_if(rules.begin(), rules.end(), [name](const tRule& r) { return r.Name == name; });
    if (it == rules.end()) {
        return std::nullopt;
    }
    return static_cast<int>(it - rules.begin());
}

} // namespace

std::optional<int> GameTypeIndex(std::string_view name) {
    return IndexOfName(kGameTypes, name);
}

std::optional<int> DifficultyIndex(std::string_view name) {
    return IndexOfName(kDifficulties, name);
}

int IntervalAt(int difficulty, int level) {
    const int last = static_cast<int>(kDifficulties.size()) - 1;
    const tDifficultyRule& rule = kDifficulties[static_cast<size_t>(std::clamp(difficulty, 0, last))];
    return std::max(kFastestInterval, rule.BaseInterval - kLevelIntervalStep * (level - 1));
}
