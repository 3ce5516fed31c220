// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScriptedGame.h"

#include "AutoPlayer.h"
#include "core/uStatText.h"

#include <cstdlib>

namespace {

void Run(tGameModel& game, tActionSet actions) {
    if (game.Press(actions).DropShown) {
        game.FinishDrop();
    }
}

void Steer(tGameModel& game, tPlayStyle style) {
    const tPlacement placement = ChoosePlacement(game.Well(), game.Current(), game.FigX(), game.FigY());
    for (int i = 0; i < placement.turns; ++i) {
        Run(game, ActionBit(tAction::RotateRight));
    }
    for (int i = 0; i < std::abs(placement.shift); ++i) {
        Run(game, ActionBit(placement.shift < 0 ? tAction::MoveLeft : tAction::MoveRight));
    }
    if (style == tPlayStyle::Drop) {
        Run(game, ActionBit(tAction::Drop));
    } else if (style == tPlayStyle::Slide) {
        Run(game, ActionBit(tAction::QMoveDown));
    } else if (style == tPlayStyle::Push) {
        for (int row = kSpawnRow; row < kWellRows; ++row) {
            Run(game, ActionBit(tAction::MoveDown));
        }
    }
}

} // namespace

int PlayGame(tGameModel& game, tPlayStyle style, int maxFigures, std::mt19937& random) {
    int ticks = 0;
    int steered = 0;
    while (game.Playing() && game.Counters().Figures < maxFigures) {
        if (style == tPlayStyle::Random) {
            Run(game, static_cast<tActionSet>(random() % (1u << kActionCount)));
            if (random() % 50 == 0) {
                game.SetPause(true);
                game.Tick();
                game.SetPause(false);
            }
        } else if (game.Falling() && game.Counters().Figures != steered) {
            steered = game.Counters().Figures;
            Steer(game, style);
            continue;
        }
        game.Tick();
        ++ticks;
    }
    return ticks;
}

void EndGame(tGameModel& game) {
    while (game.Playing()) {
        game.Tick();
        if (game.Falling()) {
            Run(game, ActionBit(tAction::Drop));
        }
    }
}

tResultRecord ResultOf(const tGameModel& game, const std::string& name) {
    const tGameCounters& c = game.Counters();
    const double playTime = c.PlayTime();
    tResultRecord r;
    static_cast<tResultTexts&>(r) = {game.StartTime(),
                                     TimeText(playTime),
                                     std::to_string(game.Settings().StartLevel),
                                     std::to_string(game.Settings().BrokenLines),
                                     std::to_string(c.Figures) + RateText(c.Figures, playTime, ','),
                                     std::to_string(c.Cleared) + RateText(c.Cleared, playTime, '.')};
    r.Name = name;
    r.Level = c.Level;
    r.Score = c.Score;
    return r;
}

tGameRecord PlayRecordedGame(const tGameSettings& settings, uint32_t seed, int64_t maxTicks,
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
        Steer(game, tPlayStyle::Wait);
    }
    return game.Record();
}
