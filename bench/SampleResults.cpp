// SPDX-License-Identifier: GPL-3.0-or-later
#include "SampleResults.h"

#include "core/uRules.h"

#include <cstdio>
#include <string>

tResultRecord SampleResult(int n) {
    char start[32];
    std::snprintf(start, sizeof start, "%02d.%02d.%02d %02d:%02d:%02d", 1 + n % 28, 1 + n / 28 % 12,
                  n / 336 % 25, n / 7 % 24, n / 3 % 60, n % 60);
    const int perLevel = kDifficulties[1].FiguresPerLevel;
    const int level = 1 + n % 20;
    const int figures = (level - 1) * perLevel + n % perLevel;
    tResultRecord r;
    static_cast<tResultTexts&>(r) = {start,       "3:05", "1", "0", std::to_string(figures) + " [13,0/m]",
                                     "12 [3,9/m]"};
    r.Name = "Player" + std::to_string(n);
    r.Level = level;
    // At most a drop's bonus for each figure, well under what the check allows.
    r.Score = (n * 7919) % (kDropPoints * (figures + 1) + 1);
    return r;
}
