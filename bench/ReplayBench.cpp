// SPDX-License-Identifier: GPL-3.0-or-later
// stakkar-bench-server replays [sqlite|postgresql|nginx]: the score server proving results by their replays,
// with games the auto-player plays at a player's pace, each under a name of its own as the seed wants. First
// a ten-minute game's replay and its upload address beside the request-line limit; then, on this thread, the
// replays of ten-minute games one thread verifies a second, and the processor time a hostile replay costs
// before it is refused (as many presses on the first figure as the checked payload holds, within the pace and
// faster) beside that of a real game, per KiB sent; then uploads a second to the real stakkar-scores over
// loopback, several in flight: ten-minute games, short games, and results without replays. The load average
// before and after each round tells how busy the shared cores were.

#include "ReplayBench.h"

#include "AutoPlayer.h"
#include "BenchReport.h"
#include "BenchRequests.h"
#include "BenchServers.h"
#include "ScriptedGame.h"

#include "server/check/uReplayCheck.h"
#include "server/check/uUploadCheck.h"
#include "server/http/uHttpSettings.h"
#include "storage/uHSUpload.h"
#include "storage/uReplayFile.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int64_t kTenMinutesMs = 10 * 60 * 1000;
// Every upload is a game of its own, as one game proves one result.
constexpr int kLongUploads = 300;
constexpr int kShortUploads = 1000;
constexpr int kWithout = 6000;
constexpr int kInFlight = 6;
constexpr double kVerifySeconds = 3;
constexpr double kHostileSeconds = 1;
// Easy from level 1, every figure steered and slid down: the auto-player keeps up for ten minutes at a
// player's pace, where at the fastest speed it loses within seconds.
constexpr tGameSettings kLong{0, 0, 1, 0};
// Normal from level 3 over four broken lines, forty figures steered and the rest dropped: the tests' games.
constexpr tGameSettings kShort{0, 1, 3, 4};

tGameModel PlayLong(const std::string& name, uint32_t seed) {
    tTimedGame game(kLong, name);
    std::mt19937 random(seed);
    while (game.Game().Playing() && game.Game().Counters().PlayTimeMs < kTenMinutesMs) {
        PlayGame(game, tPlayStyle::Slide, game.Game().Counters().Figures + 100, random);
    }
    EndGame(game);
    return game.Game();
}

tGameModel PlayShort(const std::string& name, uint32_t seed) {
    tTimedGame game(kShort, name);
    std::mt19937 random(seed);
    PlayGame(game, tPlayStyle::Slide, 40, random);
    EndGame(game);
    return game.Game();
}

// The real game's record with its presses replaced by as many moves on the first figure as the checked
// payload holds, one key repeating gapMs apart: what packs into the fewest bytes and plays longest.
tGameRecord Hostile(const tGameRecord& real, int64_t gapMs) {
    tGameRecord record = real;
    const tRecordedPress first = real.Presses.front();
    record.Presses.clear();
    const size_t empty = ReplayPayload(record).size();
    record.Presses.resize(2);
    const size_t perPress = (ReplayPayload(record).size() - empty) / 2;
    record.Presses.resize((kMaxCheckedPayload - empty) / perPress);
    for (size_t i = 0; i < record.Presses.size(); ++i) {
        record.Presses[i] = {first.Tick, ActionBit(tAction::MoveLeft),
                             first.TimeMs + static_cast<int64_t>(i) * gapMs};
    }
    while (ReplayPayload(record).size() > kMaxCheckedPayload) {
        record.Presses.pop_back();
    }
    return record;
}

// The processor time of this thread per check of the replay, over about seconds of it.
double CheckMs(const tScoreRecord& claimed, const std::string& replay, double seconds, tReplayProof& proof) {
    int checks = 0;
    const double cpuStart = ThreadCpuSeconds();
    while (ThreadCpuSeconds() - cpuStart < seconds) {
        proof = CheckReplay(claimed, replay);
        ++checks;
    }
    return 1000.0 * (ThreadCpuSeconds() - cpuStart) / checks;
}

std::string UploadPath(const tGameSettings& settings, const tResultRecord& result,
                       const std::string& replay) {
    std::string path =
        "index.php?tab=hscore&data=" +
        PercentEncodeAll(UploadData(kGameTypes[static_cast<size_t>(settings.GameType)].Name,
                                    kDifficulties[static_cast<size_t>(settings.Difficulty)].Name, result));
    if (!replay.empty()) {
        path += "&replay=" + QByteArray::fromStdString(replay)
                                 .toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals)
                                 .toStdString();
    }
    return path;
}

// The processor seconds a process has used, from /proc.
double ProcessSeconds(qint64 pid) {
    QFile file(QString("/proc/%1/stat").arg(pid));
    if (!file.open(QIODevice::ReadOnly)) {
        return 0;
    }
    // The fields after the command's name, which ends with the last ")": utime and stime are the 12th and
    // 13th of them.
    const QByteArray stat = file.readAll();
    const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
    return (fields.value(11).toDouble() + fields.value(12).toDouble()) /
           static_cast<double>(sysconf(_SC_CLK_TCK));
}

double ProcessSeconds(const std::vector<qint64>& pids) {
    double seconds = 0;
    for (const qint64 pid : pids) {
        seconds += ProcessSeconds(pid);
    }
    return seconds;
}

// Uploads a second over loopback, and the servers' processor time per upload.
bool Upload(const std::string& base, const std::vector<qint64>& pids, const std::vector<std::string>& paths,
            const QString& kind, const char* what) {
    const double cpuBefore = ProcessSeconds(pids);
    const Clock::time_point start = Clock::now();
    if (!RunRequests(base, paths, kInFlight)) {
        std::fprintf(stderr, "an upload %s was refused\n", what);
        return false;
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    const double count = static_cast<double>(paths.size());
    std::printf("%s uploads %s, %d in flight: %.1f /s, server processor time %.3f ms each\n",
                qPrintable(kind), what, kInFlight, count / seconds,
                1000.0 * (ProcessSeconds(pids) - cpuBefore) / count);
    std::fflush(stdout);
    return true;
}

} // namespace

int RunReplayBench(const QString& kind) {
    // As the server keeps it.
    KeepReplayMemory();
    const tGameModel game = PlayLong(kScriptedPlayer, 1);
    const tGameCounters& c = game.Counters();
    const std::string replay = EncodeReplay(game.Record());
    Print("game_play_time", static_cast<double>(c.PlayTimeMs) / 60000.0, "min");
    Print("game_figures", c.Figures, "figures");
    Print("game_key_presses", static_cast<double>(game.Record().Presses.size()), "presses");
    Print("game_ticks", static_cast<double>(game.Record().Ticks), "ticks");
    Print("replay_size", static_cast<double>(replay.size()), "bytes");
    Print("replay_payload", static_cast<double>(ReplayPayload(game.Record()).size()), "bytes");
    const std::string longest = "GET /" + UploadPath(kLong, ResultOf(game), replay) + " HTTP/1.1";
    Print("upload_request_line", static_cast<double>(longest.size()), "bytes");
    Print("request_head_limit", static_cast<double>(kMaxHeadBytes), "bytes");
    if (longest.size() > kMaxHeadBytes) {
        std::fprintf(stderr, "the upload address is longer than the server takes\n");
        return 1;
    }

    // The server's own work on an upload's replay, on this thread.
    const tUploadVerdict verdict =
        CheckUpload(UploadData(kGameTypes[0].Name, kDifficulties[0].Name, ResultOf(game)));
    if (!verdict.Record) {
        std::fprintf(stderr, "the result is refused: %s\n", verdict.Problem.c_str());
        return 1;
    }
    tReplayProof proof;
    const double realMs = CheckMs(*verdict.Record, replay, kVerifySeconds, proof);
    if (proof.Verdict != tReplayVerdict::Proven) {
        std::fprintf(stderr, "the replay is refused: %s\n", proof.Problem.c_str());
        return 1;
    }
    Print("replay_verified_in", realMs, "ms");
    Print("replays_verified_per_second_one_thread", 1000.0 / realMs, "1/s");
    Print("replay_verified_per_sent_kib", realMs * 1024.0 / static_cast<double>(replay.size()), "ms");
    // Within the pace, as often as a key repeats; and faster, every millisecond.
    for (const auto& [name, gapMs] :
         {std::pair{"hostile_paced", int64_t{kFastestRepeatMs}}, std::pair{"hostile_fast", int64_t{1}}}) {
        const tGameRecord hostile = Hostile(game.Record(), gapMs);
        const std::string bytes = EncodeReplay(hostile);
        const double ms = CheckMs(*verdict.Record, bytes, kHostileSeconds, proof);
        if (proof.Verdict != tReplayVerdict::Refused) {
            std::fprintf(stderr, "a hostile replay is taken\n");
            return 1;
        }
        std::printf(
            "%s: %zu presses, %zu bytes sent, %zu unpacked, refused in %.3f ms (%.3f ms per KiB sent): "
            "%s\n",
            name, hostile.Presses.size(), bytes.size(), ReplayPayload(hostile).size(), ms,
            ms * 1024.0 / static_cast<double>(bytes.size()), proof.Problem.c_str());
        std::fflush(stdout);
    }

    tBenchServers servers;
    if (!servers.OpenDatabase(kind) || !servers.Start({"--uploads-per-minute", "1e12", "--upload-burst",
                                                       "1e12", "--checks-per-address", "64"})) {
        return 1;
    }
    std::vector<std::string> longUploads;
    std::vector<std::string> without;
    for (int n = 0; n < kLongUploads; ++n) {
        const std::string name = "Proved" + std::to_string(n);
        const tGameModel played = PlayLong(name, static_cast<uint32_t>(n));
        longUploads.push_back(UploadPath(kLong, ResultOf(played, name), EncodeReplay(played.Record())));
        for (int k = n; k < kWithout; k += kLongUploads) {
            without.push_back(UploadPath(kLong, ResultOf(played, "Plain" + std::to_string(k)), {}));
        }
    }
    std::vector<std::string> shortUploads;
    for (int n = 0; n < kShortUploads; ++n) {
        const std::string name = "Short" + std::to_string(n);
        const tGameModel played = PlayShort(name, static_cast<uint32_t>(n));
        shortUploads.push_back(UploadPath(kShort, ResultOf(played, name), EncodeReplay(played.Record())));
    }
    const std::string base = servers.Base();
    PrintLoad(kind, "before");
    if (!Upload(base, servers.Pids(), longUploads, kind, "with ten-minute replays")) {
        return 1;
    }
    PrintLoad(kind, "after the uploads with ten-minute replays");
    if (!Upload(base, servers.Pids(), shortUploads, kind, "with short replays")) {
        return 1;
    }
    PrintLoad(kind, "after the uploads with short replays");
    if (!Upload(base, servers.Pids(), without, kind, "without replays")) {
        return 1;
    }
    PrintLoad(kind, "after the uploads without replays");
    return 0;
}
