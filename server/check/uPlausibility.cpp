// SPDX-License-Identifier: GPL-3.0-or-later
#include "server/check/uPlausibility.h"

#include "core/uFigureSet.h"
#include "core/uRules.h"
#include "core/uStatText.h"
#include "core/uWell.h"
#include "server/check/uFieldForms.h"

#include <algorithm>
#include <type_traits>
#include <vector>

namespace {

// The rows of a figure's box; one landing removes rows only within it.
constexpr int kBoxRows = std::extent_v<decltype(tFigure::Cells), 1>;

int LowestBlockRow(const tFigure& figure) {
    int lowest = 0;
    for (int c = 1; c <= kBoxRows; ++c) {
        for (int r = 1; r <= kBoxRows; ++r) {
            if (IsBlock(figure, c, r)) {
                lowest = std::max(lowest, r);
            }
        }
    }
    return lowest;
}

// The most rows a figure's box moves down between its entry and the floor of an empty well. A figure may turn
// on its way, so the orientation whose lowest block sits highest in the box decides.
int64_t MostRowsFallen() {
    tFigureTable table;
    BuildFigureTable(table);
    int highestBottom = kBoxRows;
    for (tFigure figure : table) {
        // Four turns the same way pass every orientation, a toggling figure's two included.
        for (int turn = 0; turn < 4; ++turn) {
            highestBottom = std::min(highestBottom, LowestBlockRow(figure));
            figure = TurnFigure(figure, -1);
        }
    }
    return kWellRows + 1 - highestBottom - kSpawnRow;
}

int64_t LineBonus(int64_t rowsAtOnce) {
    return kLineBonusStep * rowsAtOnce * (rowsAtOnce + 1) / 2;
}

// Every row a figure moves down earns once, at most as much as a slide or a drop gives it, and a figure drops
// once. The bonus of a landing grows with the rows it removes, so the cleared rows earn most in fours and
// the rest in one landing. Each point is earned by a counted figure or row, since a figure is counted as it
// enters; one figure's worth more is allowed all the same, so the bound does not hinge on the order in which
// a tick counts a figure and moves it.
int64_t MostScore(int64_t figures, int64_t cleared) {
    static const int64_t kPerFigure =
        MostRowsFallen() * (kRowPoints + std::max(kMoveDownExtraPoints, kSlideExtraPoints)) + kDropPoints;
    return (figures + 1) * kPerFigure + cleared / kBoxRows * LineBonus(kBoxRows) +
           LineBonus(cleared % kBoxRows);
}

// Each figure enters at a tick of its own, and the tick has added its interval to the play time before the
// figure raises the level: figure k enters at the speed of level start + (k - 1) / FiguresPerLevel.
int64_t LeastPlayTimeMs(int difficulty, int64_t startLevel, int64_t figures) {
    const int64_t perLevel = kDifficulties[static_cast<size_t>(difficulty)].FiguresPerLevel;
    int64_t total = 0;
    for (int64_t level = startLevel; figures > 0; ++level) {
        const int64_t interval = IntervalAt(difficulty, static_cast<int>(level));
        if (interval == kFastestInterval) {
            return total + figures * interval;
        }
        const int64_t here = std::min(figures, perLevel);
        total += here * interval;
        figures -= here;
    }
    return total;
}

} // namespace

std::string PlausibilityProblem(const tScoreRecord& record, int64_t nowMs) {
    const tResultRecord& e = record.Entry;
    const int difficulty = DifficultyIndex(record.Difficulty).value_or(0);
    const tDifficultyRule& rule = kDifficulties[static_cast<size_t>(difficulty)];
    const int64_t startLevel = DecimalUpTo(e.StartLevel, rule.MaxStartLevel).value_or(kMinStartLevel);
    const int64_t figures = CountOf(e.Figures);
    const int64_t cleared = CountOf(e.Cleared);
    const std::string figuresText = std::to_string(figures) + " figures";
    std::vector<std::string> problems;

    const int64_t level = startLevel + figures / rule.FiguresPerLevel;
    if (e.Level != level) {
        problems.push_back("The level " + std::to_string(e.Level) + " does not follow from the start level " +
                           std::to_string(startLevel) + " and " + figuresText + ": at " +
                           std::string(rule.Name) + " the level rises every " +
                           std::to_string(rule.FiguresPerLevel) + " figures, so it is " +
                           std::to_string(level) + ".");
    }
    const int64_t score = MostScore(figures, cleared);
    if (e.Score > score) {
        problems.push_back("The score " + std::to_string(e.Score) + " is more than " + figuresText + " and " +
                           std::to_string(cleared) + " cleared rows can earn: this server takes at most " +
                           std::to_string(score) + ".");
    }
    // The play time is written in whole seconds cut off.
    const int64_t leastMs = LeastPlayTimeMs(difficulty, startLevel, figures);
    if ((PlayTimeSeconds(e.PlayTime) + 1) * 1000 <= leastMs) {
        problems.push_back("The play time " + e.PlayTime + " is shorter than " + figuresText +
                           " take to enter at the speed of their levels, at least " +
                           TimeText(static_cast<double>(leastMs) / 1000.0) + ".");
    }
    if (record.StartMs > nowMs + kStartTimeAheadMs) {
        problems.push_back("The start time " + e.StartTime + " lies in the future.");
    }

    std::string joined;
    for (const std::string& problem : problems) {
        joined += (joined.empty() ? "" : " ") + problem;
    }
    return joined;
}
