// SPDX-License-Identifier: GPL-3.0-or-later
// The game model alone, as a score server checking a recorded game would run it: a game is first played by
// the auto-player and recorded as the actions of each tick, then replayed through fresh models again and
// again. Prints ticks a second and the time of a ten-minute game at the fastest speed, one "name: value unit"
// line each; and the longest game whose upload address still carries its replay, at level 1 and at the
// fastest speed.
// "--ticks N" sets the length of the recorded game (default: ten minutes at 1 ms).

#include "BenchReport.h"
#include "ScriptedGame.h"
#include "core/uGameModel.h"
#include "core/uGameReplay.h"
#include "core/uStatText.h"
#include "storage/uHSUpload.h"
#include "storage/uReplayFile.h"

#include <chrono>
#include <cstdint>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {

// The entry the game would upload for a recorded game, with texts as long as the statistics write them.
tHS EntryOf(const tGameRecord& record) {
    const tGameModel game = ReplayGame(record);
    const tGameCounters& c = game.Counters();
    tHS entry;
    static_cast<tResultTexts&>(entry) = {record.StartTime,
                                         TimeText(c.PlayTime()),
                                         std::to_string(record.Settings.StartLevel),
                                         std::to_string(record.Settings.BrokenLines),
                                         std::to_string(c.Figures) + RateText(c.Figures, c.PlayTime(), ','),
                                         std::to_string(c.Cleared) + RateText(c.Cleared, c.PlayTime(), ',')};
    entry.Name = "Konstantin";
    entry.Level = c.Level;
    entry.Score = c.Score;
    return entry;
}

// The game up to and including a tick, as recording it only so far would have kept it.
tGameRecord Prefix(const tGameRecord& game, int64_t ticks) {
    tGameRecord part = game;
    part.Ticks = ticks;
    std::erase_if(part.Presses, [ticks](const tRecordedPress& press) { return press.Tick > ticks; });
    return part;
}

bool UploadFits(const tGameRecord& record) {
    const auto& type = kGameTypes[static_cast<size_t>(record.Settings.GameType)].Name;
    const auto& difficulty = kDifficulties[static_cast<size_t>(record.Settings.Difficulty)].Name;
    return ReplayFitsUpload(type, difficulty, EntryOf(record), EncodeReplay(record).size());
}

// The longest beginning of the auto-player's game whose upload still carries its replay; the
// whole game when all of it does.
tGameRecord LongestUploadable(const tGameSettings& settings) {
    // Far more than fits, at any speed.
    constexpr int64_t kTicks = 2000000;
    const tGameRecord game = PlayRecordedGame(settings, kScriptedPlayer, kTicks,
                                              [](const tGameRecord& part) { return !UploadFits(part); });
    if (UploadFits(game)) {
        return game;
    }
    int64_t fitting = 0;
    int64_t tooLong = game.Ticks;
    while (tooLong - fitting > 1) {
        const int64_t middle = (fitting + tooLong) / 2;
        (UploadFits(Prefix(game, middle)) ? fitting : tooLong) = middle;
    }
    return Prefix(game, fitting);
}

} // namespace

int main(int argc, char** argv) {
    int64_t maxTicks = 600000;
    if (argc == 3 && std::strcmp(argv[1], "--ticks") == 0) {
        maxTicks = std::stoll(argv[2]);
    }
    // "Easy" from level 26 on runs at the fastest interval, 1 ms.
    const tGameSettings fastest{0, 0, 26, 0};
    const tGameRecord record = PlayRecordedGame(fastest, kScriptedPlayer, maxTicks);
    Print("recorded_ticks", static_cast<double>(record.Ticks), "ticks");
    // The stored replay's size for a minute of play, at level 1 and at the fastest speed.
    for (const auto& [name, settings] : {std::pair{"replay_bytes_per_minute_level_1", tGameSettings{}},
                                         std::pair{"replay_bytes_per_minute_at_1ms", fastest}}) {
        const tGameRecord game = PlayRecordedGame(settings, kScriptedPlayer, maxTicks);
        const double minutes = static_cast<double>(ReplayGame(game).Counters().PlayTimeMs) / 60000.0;
        Print(name, static_cast<double>(EncodeReplay(game).size()) / minutes, "bytes");
    }
    Print("recorded_key_presses", static_cast<double>(record.Presses.size()), "presses");
    for (const auto& [name, settings] : {std::pair{"longest_uploaded_replay_level_1", tGameSettings{}},
                                         std::pair{"longest_uploaded_replay_at_1ms", fastest}}) {
        const tGameRecord game = LongestUploadable(settings);
        const tGameModel end = ReplayGame(game);
        Print(name, static_cast<double>(end.Counters().PlayTimeMs) / 60000.0, "minutes");
        Print((std::string(name) + "_bytes").c_str(), static_cast<double>(EncodeReplay(game).size()),
              "bytes");
        Print((std::string(name) + "_figures").c_str(), end.Counters().Figures, "figures");
        if (!end.Playing()) {
            std::printf("(the whole game of the auto-player, to its game over at level %d)\n",
                        end.Counters().Level);
        }
    }

    using tClock = std::chrono::steady_clock;
    const int expected = ReplayGame(record).Counters().Score;
    int64_t ticks = 0;
    int rounds = 0;
    const double cpuStart = ThreadCpuSeconds();
    const auto start = tClock::now();
    while (tClock::now() - start < std::chrono::seconds(3)) {
        if (ReplayGame(record).Counters().Score != expected) {
            std::printf("a replay ended with another score\n");
            return 1;
        }
        ticks += record.Ticks;
        ++rounds;
    }
    const double cpu = ThreadCpuSeconds() - cpuStart;
    Print("model_ticks_per_second", static_cast<double>(ticks) / cpu, "1/s");
    Print("model_ten_minute_game_at_1ms",
          1000.0 * cpu / rounds * 600000.0 / static_cast<double>(record.Ticks), "ms");
    Print("model_games_replayed", rounds, "games");
    return 0;
}
