// SPDX-License-Identifier: GPL-3.0-or-later
// The game model alone, as a score server checking a recorded game would run it: a game is first played by
// the auto-player and recorded as the actions of each tick, then replayed through fresh models again and
// again. Prints ticks a second and the time of a ten-minute game at the fastest speed, one "name: value unit"
// line each.
// "--ticks N" sets the length of the recorded game (default: ten minutes at 1 ms).

#include "AutoPlayer.h"
#include "BenchReport.h"
#include "core/uGameModel.h"

#include <chrono>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct tStep {
    int64_t tick;
    tActionSet actions;
};

struct tScript {
    tGameSettings settings;
    uint32_t seed = 0;
    int64_t ticks = 0;
    std::vector<tStep> steps;
};

tActionSet ActionOf(uint16_t key) {
    for (size_t i = 0; i < kActions.size(); ++i) {
        if (kActions[i].WellKey == key) {
            return ActionBit(static_cast<tAction>(i));
        }
    }
    return 0;
}

void Run(tGameModel& game, tActionSet actions) {
    if (game.Press(actions).DropShown) {
        game.FinishDrop();
    }
}

// The auto-player steers each new figure to its place with the well's default keys; the figure then falls on
// its own, so every tick of the game is a tick of the fall at the game's speed.
tScript Record(const tGameSettings& settings, uint32_t seed, int64_t maxTicks) {
    tScript script{settings, seed, 0, {}};
    tGameModel game;
    game.NewGame(settings, seed, "01.01.26 00:00:00");
    int figures = -1;
    while (game.Playing() && script.ticks < maxTicks) {
        game.Tick();
        ++script.ticks;
        if (!game.Falling() || game.Counters().Figures == figures) {
            continue;
        }
        figures = game.Counters().Figures;
        const tPlacement placement = ChoosePlacement(game.Well(), game.Current(), game.FigX(), game.FigY());
        for (const uint16_t key : PlacementKeys(placement)) {
            const tActionSet actions = ActionOf(key);
            script.steps.push_back({script.ticks, actions});
            Run(game, actions);
        }
    }
    return script;
}

// Returns the final score, so that the work cannot be left out.
int Replay(const tScript& script) {
    tGameModel game;
    game.NewGame(script.settings, script.seed, "01.01.26 00:00:00");
    size_t next = 0;
    for (int64_t tick = 1; tick <= script.ticks; ++tick) {
        game.Tick();
        while (next < script.steps.size() && script.steps[next].tick == tick) {
            Run(game, script.steps[next].actions);
            ++next;
        }
    }
    return game.Counters().Score;
}

} // namespace

int main(int argc, char** argv) {
    int64_t maxTicks = 600000;
    if (argc == 3 && std::strcmp(argv[1], "--ticks") == 0) {
        maxTicks = std::stoll(argv[2]);
    }
    // "Easy" from level 26 on runs at the fastest interval, 1 ms.
    const tGameSettings fastest{0, 0, 26, 0};
    const tScript script = Record(fastest, 20240601, maxTicks);
    Print("recorded_ticks", static_cast<double>(script.ticks), "ticks");
    Print("recorded_key_presses", static_cast<double>(script.steps.size()), "presses");

    using tClock = std::chrono::steady_clock;
    const int expected = Replay(script);
    int64_t ticks = 0;
    int rounds = 0;
    const double cpuStart = ThreadCpuSeconds();
    const auto start = tClock::now();
    while (tClock::now() - start < std::chrono::seconds(3)) {
        if (Replay(script) != expected) {
            std::printf("a replay ended with another score\n");
            return 1;
        }
        ticks += script.ticks;
        ++rounds;
    }
    const double cpu = ThreadCpuSeconds() - cpuStart;
    Print("model_ticks_per_second", static_cast<double>(ticks) / cpu, "1/s");
    Print("model_ten_minute_game_at_1ms",
          1000.0 * cpu / rounds * 600000.0 / static_cast<double>(script.ticks), "ms");
    Print("model_games_replayed", rounds, "games");
    return 0;
}
