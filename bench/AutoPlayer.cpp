// SPDX-License-Identifier: GPL-3.0-or-later
#include "AutoPlayer.h"

#include "core/uFigureSet.h"
#include "core/uGameModel.h"
#include "core/uRules.h"

#include <algorithm>
#include <array>
#include <limits>

namespace {

constexpr uint16_t kTurn = ActionRule(tAction::RotateRight).WellKey;
constexpr uint16_t kLeft = ActionRule(tAction::MoveLeft).WellKey;
constexpr uint16_t kRight = ActionRule(tAction::MoveRight).WellKey;

tActionSet ActionOf(uint16_t key) {
    for (size_t i = 0; i < kActions.size(); ++i) {
        if (kActions[i].WellKey == key) {
            return ActionBit(static_cast<tAction>(i));
        }
    }
    return 0;
}

// Weights of a well-known hand-tuned evaluation of a pile.
double Evaluate(const tWell& well, int cleared) {
    std::array<int, kWellColumns> heights{};
    int holes = 0;
    for (int column = 1; column <= kWellColumns; ++column) {
        bool roof = false;
        for (int row = 1; row <= kWellRows; ++row) {
            if (well.At(column, row) != 0) {
                if (!roof) {
                    heights[static_cast<size_t>(column - 1)] = kWellRows + 1 - row;
                }
                roof = true;
            } else if (roof) {
                ++holes;
            }
        }
    }
    int total = 0;
    int bumpiness = 0;
    for (size_t i = 0; i < heights.size(); ++i) {
        total += heights[i];
        if (i > 0) {
            bumpiness += std::abs(heights[i] - heights[i - 1]);
        }
    }
    return -0.51 * total + 0.76 * cleared - 0.36 * holes - 0.18 * bumpiness;
}

int Land(tWell& well, const tFigure& figure, int x, int y) {
    while (well.Fits(figure, x, y + 1)) {
        ++y;
    }
    for (int c = 1; c <= 4; ++c) {
        for (int r = 1; r <= 4; ++r) {
            if (IsBlock(figure, c, r) && tWell::Inside(x + c - 1, y + r - 1)) {
                well.Set(x + c - 1, y + r - 1, 1);
            }
        }
    }
    int cleared = 0;
    for (int row = kWellRows; row >= 1;) {
        if (well.RowIsFull(row)) {
            well.RemoveRow(row);
            ++cleared;
        } else {
            --row;
        }
    }
    return cleared;
}

// Calls visit(placement, well after it, rows it cleared) for every placement of the figure from (x, y).
template <typename tVisit>
void ForEachPlacement(const tWell& well, const tFigure& figure, int x, int y, tVisit visit) {
    tFigure turned = figure;
    for (int turns = 0; turns < 4; ++turns) {
        if (turns > 0) {
            turned = TurnFigure(turned, -1);
            if (!well.Fits(turned, x, y)) {
                break;
            }
        }
        for (const int direction : {-1, 1}) {
            for (int shift = direction < 0 ? 0 : 1; well.Fits(turned, x + shift, y); shift += direction) {
                tWell after = well;
                const int cleared = Land(after, turned, x + shift, y);
                visit(tPlacement{turns, shift, true}, after, cleared);
            }
        }
    }
}

} // namespace

tPlacement ChoosePlacement(const tWell& well, const tFigure& figure, int x, int y, const tFigure& next) {
    struct tOption {
        double value;
        tPlacement placement;
        tWell after;
        int cleared;
    };
    std::vector<tOption> options;
    ForEachPlacement(well, figure, x, y, [&](const tPlacement& placement, const tWell& after, int cleared) {
        options.push_back({Evaluate(after, cleared), placement, after, cleared});
    });
    // Only the most promising placements are tried with the next figure: nearly as good, many times faster.
    constexpr size_t kLookedAhead = 16;
    if (HasBlocks(next) && options.size() > 1) {
        const size_t tried = std::min(kLookedAhead, options.size());
        std::partial_sort(options.begin(), options.begin() + static_cast<std::ptrdiff_t>(tried),
                          options.end(),
                          [](const tOption& a, const tOption& b) { return a.value > b.value; });
        options.resize(tried);
        for (tOption& option : options) {
            option.value = -std::numeric_limits<double>::infinity();
            ForEachPlacement(option.after, next, x, y, [&](const tPlacement&, const tWell& last, int more) {
                option.value = std::max(option.value, Evaluate(last, option.cleared + more));
            });
        }
    }
    tPlacement best;
    double bestValue = -std::numeric_limits<double>::infinity();
    for (const tOption& option : options) {
        if (option.value > bestValue) {
            bestValue = option.value;
            best = option.placement;
        }
    }
    return best;
}

std::vector<uint16_t> PlacementKeys(const tPlacement& placement) {
    std::vector<uint16_t> keys(static_cast<size_t>(placement.turns), kTurn);
    keys.insert(keys.end(), static_cast<size_t>(std::abs(placement.shift)),
                placement.shift < 0 ? kLeft : kRight);
    return keys;
}

tGameRecord PlayRecordedGame(const tGameSettings& settings, uint32_t seed, int64_t maxTicks, bool lookAhead,
                             const std::function<bool(const tGameRecord&)>& enough) {
    tGameModel game;
    game.NewGame(settings, seed, "01.01.26 00:00:00");
    int figures = -1;
    while (game.Playing() && game.Record().Ticks < maxTicks) {
        game.Tick();
        if (!game.Falling() || game.Counters().Figures == figures) {
            continue;
        }
        figures = game.Counters().Figures;
        if (enough && figures % 1000 == 0 && enough(game.Record())) {
            break;
        }
        const tPlacement placement = ChoosePlacement(game.Well(), game.Current(), game.FigX(), game.FigY(),
                                                     lookAhead ? game.Next() : tFigure{});
        for (const uint16_t key : PlacementKeys(placement)) {
            if (game.Press(ActionOf(key)).DropShown) {
                game.FinishDrop();
            }
        }
    }
    return game.Record();
}
