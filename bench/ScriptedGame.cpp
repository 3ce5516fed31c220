// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScriptedGame.h"

#include "AutoPlayer.h"
#include "core/uGameResult.h"
#include "core/uGameSeed.h"
#include "platform/uCodePage.h"

#include <algorithm>
#include <cstdlib>

tTimedGame::tTimedGame(const tGameSettings& settings, const std::string& name, const std::string& startTime) {
    const tChanges started =
        game_.NewGame(settings, GameSeed(LowerText(name), startTime, settings), startTime);
    schedule_.Follow(started, game_, 0);
}

void tTimedGame::Tick() {
    if (game_.Playing() && !game_.Paused() && schedule_.Running()) {
        now_ = std::max(now_, schedule_.Due());
    }
    game_.Tick();
    schedule_.Ticked(game_, now_);
}

void tTimedGame::RunTicksUntil(int64_t timeMs) {
    while (game_.Playing() && schedule_.Running() && schedule_.Due() <= timeMs) {
        Tick();
    }
}

void tTimedGame::Press(tActionSet actions, int64_t afterMs) {
    int64_t at = now_ + afterMs;
    while (!pace_.Breaks(actions, at).empty()) {
        ++at;
    }
    RunTicksUntil(at);
    now_ = std::max(now_, at);
    const size_t before = game_.Record().Presses.size();
    const tChanges pressed = game_.Press(actions, now_);
    if (game_.Record().Presses.size() > before) {
        pace_.Take(actions, now_);
    }
    schedule_.Follow(pressed, game_, now_);
    if (pressed.DropShown) {
        now_ += kDropPauseMs;
        schedule_.Follow(game_.FinishDrop(), game_, now_);
    }
}

void tTimedGame::Pause() {
    game_.SetPause(true);
    game_.Tick();
    schedule_.Follow(game_.SetPause(false), game_, now_);
}

namespace {

void Steer(tTimedGame& game, tPlayStyle style) {
    const tGameModel& model = game.Game();
    const tPlacement placement = ChoosePlacement(model.Well(), model.Current(), model.FigX(), model.FigY());
    for (int i = 0; i < placement.turns; ++i) {
        game.Press(ActionBit(tAction::RotateRight));
    }
    for (int i = 0; i < std::abs(placement.shift); ++i) {
        game.Press(ActionBit(placement.shift < 0 ? tAction::MoveLeft : tAction::MoveRight));
    }
    if (style == tPlayStyle::Drop) {
        game.Press(ActionBit(tAction::Drop));
    } else if (style == tPlayStyle::Slide) {
        game.Press(ActionBit(tAction::QMoveDown));
    } else if (style == tPlayStyle::Push) {
        for (int row = kSpawnRow; row < kWellRows && model.Playing(); ++row) {
            game.Press(ActionBit(tAction::MoveDown));
        }
    }
}

} // namespace

int PlayGame(tTimedGame& game, tPlayStyle style, int maxFigures, std::mt19937& random) {
    const tGameModel& model = game.Game();
    const int64_t ticksBefore = model.Record().Ticks;
    int steered = 0;
    while (model.Playing() && model.Counters().Figures < maxFigures) {
        if (style == tPlayStyle::Random) {
            if (const auto actions = static_cast<tActionSet>(random() % (1u << kActionCount)); actions != 0) {
                game.Press(actions, static_cast<int64_t>(random() % 200));
            }
            if (random() % 50 == 0) {
                game.Pause();
            }
        } else if (model.Falling() && model.Counters().Figures != steered) {
            steered = model.Counters().Figures;
            Steer(game, style);
            continue;
        }
        game.Tick();
    }
    return static_cast<int>(model.Record().Ticks - ticksBefore);
}

void EndGame(tTimedGame& game) {
    while (game.Game().Playing()) {
        game.Tick();
        if (game.Game().Falling()) {
            game.Press(ActionBit(tAction::Drop));
        }
    }
}

tResultRecord ResultOf(const tGameModel& game, const std::string& name) {
    return GameResult(game, name, ',');
}

tGameRecord PlayRecordedGame(const tGameSettings& settings, const std::string& name, int64_t maxTicks,
                             const std::function<bool(const tGameRecord&)>& enough) {
    tTimedGame game(settings, name);
    const tGameModel& model = game.Game();
    int figures = -1;
    while (model.Playing() && model.Record().Ticks < maxTicks) {
        game.Tick();
        if (!model.Falling() || model.Counters().Figures == figures) {
            continue;
        }
        figures = model.Counters().Figures;
        if (enough && figures % 1000 == 0 && enough(model.Record())) {
            break;
        }
        Steer(game, tPlayStyle::Wait);
    }
    return model.Record();
}
