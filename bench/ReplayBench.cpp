// SPDX-License-Identifier: GPL-3.0-or-later
// stakkar-bench-server replays [sqlite|postgresql]: games of ten minutes at the fastest speed, played by the
// auto-player and ended by the rules, as the score server proves them. First the replay's size and its
// upload address beside the request-line limit; then the replays one thread verifies a second (read within
// its bounds, played again through the model, compared field by field), the server's own work; then uploads
// a second to the real stakkar-scores over loopback, several in flight, with their replays and, in the same
// run, the same results without. The load average before and after each round tells how busy the shared
// cores were.

#include "ReplayBench.h"

#include "AutoPlayer.h"
#include "BenchDatabase.h"
#include "BenchReport.h"
#include "BenchRequests.h"
#include "ScriptedGame.h"
#include "uServerProcess.h"

#include "server/uHttpSettings.h"
#include "server/uReplayCheck.h"
#include "server/uUploadCheck.h"
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
constexpr uint32_t kGames = 2;
constexpr int kWithReplays = 600;
constexpr int kWithout = 6000;
constexpr int kInFlight = 6;
constexpr double kVerifySeconds = 3;
// Impossible from its highest start level: the fastest interval, 1 ms, from its twentieth figure on.
constexpr tGameSettings kFastest{0, 3, kDifficulties[3].MaxStartLevel, 0};
const std::string kGameType(kGameTypes[0].Name);
const std::string kDifficulty(kDifficulties[3].Name);

tGameModel PlayTenMinutes(uint32_t seed) {
    tTimedGame game(kFastest, "Player" + std::to_string(seed));
    std::mt19937 random(seed);
    while (game.Game().Playing() && game.Game().Counters().PlayTimeMs < kTenMinutesMs) {
        PlayGame(game, tPlayStyle::Wait, game.Game().Counters().Figures + 100, random);
    }
    EndGame(game);
    return game.Game();
}

std::string UploadPath(const tResultRecord& result, const std::string& replay) {
    std::string path =
        "index.php?tab=hscore&data=" + PercentEncodeAll(UploadData(kGameType, kDifficulty, result));
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

// Uploads a second over loopback, and the server's processor time per upload.
bool Upload(const std::string& base, qint64 pid, const std::vector<std::string>& paths, const QString& kind,
            const char* what) {
    const double cpuBefore = ProcessSeconds(pid);
    const Clock::time_point start = Clock::now();
    if (!RunRequests(base, paths, kInFlight)) {
        std::fprintf(stderr, "an upload %s was refused\n", what);
        return false;
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    const double count = static_cast<double>(paths.size());
    std::printf("%s uploads %s, %d in flight: %.1f /s, server processor time %.3f ms each\n",
                qPrintable(kind), what, kInFlight, count / seconds,
                1000.0 * (ProcessSeconds(pid) - cpuBefore) / count);
    std::fflush(stdout);
    return true;
}

} // namespace

int RunReplayBench(const QString& kind) {
    // As the server keeps it.
    KeepReplayMemory();
    std::vector<tGameModel> games;
    std::vector<std::string> replays;
    for (uint32_t seed = 1; seed <= kGames; ++seed) {
        games.push_back(PlayTenMinutes(seed));
        replays.push_back(EncodeReplay(games.back().Record()));
    }
    const tGameModel& game = games[0];
    const tGameCounters& c = game.Counters();
    Print("game_play_time", static_cast<double>(c.PlayTimeMs) / 60000.0, "min");
    Print("game_figures", c.Figures, "figures");
    Print("game_key_presses", static_cast<double>(game.Record().Presses.size()), "presses");
    Print("game_ticks", static_cast<double>(game.Record().Ticks), "ticks");
    Print("replay_size", static_cast<double>(replays[0].size()), "bytes");
    const std::string longest = "GET /" + UploadPath(ResultOf(game, "Player99999"), replays[0]) + " HTTP/1.1";
    Print("upload_request_line", static_cast<double>(longest.size()), "bytes");
    Print("request_head_limit", static_cast<double>(kMaxHeadBytes), "bytes");
    if (longest.size() > kMaxHeadBytes) {
        std::fprintf(stderr, "the upload address is longer than the server takes\n");
        return 1;
    }

    // The server's own work on an upload's replay, on this thread.
    const tUploadVerdict verdict = CheckUpload(UploadData(kGameType, kDifficulty, ResultOf(game, "Player1")));
    if (!verdict.Record) {
        std::fprintf(stderr, "the result is refused: %s\n", verdict.Problem.c_str());
        return 1;
    }
    int verified = 0;
    const double cpuStart = ThreadCpuSeconds();
    while (ThreadCpuSeconds() - cpuStart < kVerifySeconds) {
        const tReplayProof proof = CheckReplay(*verdict.Record, replays[0]);
        if (proof.Verdict != tReplayVerdict::Proven) {
            std::fprintf(stderr, "the replay is refused: %s\n", proof.Problem.c_str());
            return 1;
        }
        ++verified;
    }
    const double cpu = ThreadCpuSeconds() - cpuStart;
    Print("replay_verified_in", 1000.0 * cpu / verified, "ms");
    Print("replays_verified_per_second_one_thread", verified / cpu, "1/s");

    tBenchDatabase database;
    if (!database.Open(kind)) {
        return 1;
    }
    const QString& address = database.Address;
    QString problem;
    tServerProcess server;
    if (!server.Start(database.Dir.path(),
                      {"--database", address, "--uploads-per-minute", "1e12", "--upload-burst", "1e12"},
                      problem)) {
        std::fprintf(stderr, "%s\n", qPrintable(problem));
        return 1;
    }
    // Each upload is a result and a game of its own, as one game proves one result: the same plays, each
    // started at another second of a June day.
    std::vector<std::string> withReplays;
    for (int n = 0; n < kWithReplays; ++n) {
        const tGameModel& played = games[static_cast<size_t>(n) % kGames];
        tGameRecord record = played.Record();
        char start[32];
        std::snprintf(start, sizeof start, "01.06.24 %02d:%02d:%02d", n / 3600 % 24, n / 60 % 60, n % 60);
        record.StartTime = start;
        tResultRecord result = ResultOf(played, "Proved" + std::to_string(n));
        result.StartTime = start;
        withReplays.push_back(UploadPath(result, EncodeReplay(record)));
    }
    std::vector<std::string> without;
    for (int n = 0; n < kWithout; ++n) {
        without.push_back(
            UploadPath(ResultOf(games[static_cast<size_t>(n) % kGames], "Plain" + std::to_string(n)), {}));
    }
    const std::string base = server.Base().toStdString();
    PrintLoad(kind, "before");
    if (!Upload(base, server.Pid(), withReplays, kind, "with ten-minute replays")) {
        return 1;
    }
    PrintLoad(kind, "after the uploads with replays");
    if (!Upload(base, server.Pid(), without, kind, "without replays")) {
        return 1;
    }
    PrintLoad(kind, "after the uploads without replays");
    return 0;
}
