// SPDX-License-Identifier: GPL-3.0-or-later
// stakkar-bench-viewer: the game viewer of a verified result's page in headless Chromium, with a ten-minute
// game the auto-player plays at a player's pace: the bytes of the viewer's model and script as the server
// sends them (and as gzip would), the time from the page's start to a playable game on a first and on later
// visits, the time a jump to a moment of the game takes in the page, and at x1 the frames the page draws a
// second and the processor time of the browser's processes beside a paused page's. The load average before
// and after tells how busy the shared cores were.

#include "BenchReport.h"
#include "BenchRequests.h"
#include "ProcStats.h"
#include "ScriptedGame.h"
#include "uChromium.h"
#include "uHttpGet.h"
#include "uServerProcess.h"

#include "storage/uHSUpload.h"
#include "storage/uReplayFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonArray>
#include <QTemporaryDir>

#include <chrono>
#include <cstdio>
#include <random>
#include <stdexcept>
#include <thread>

namespace {

constexpr int64_t kTenMinutesMs = 10 * 60 * 1000;
constexpr int kVisits = 10;
constexpr int kJumps = 300;
constexpr double kWatchSeconds = 10;

// The processor seconds of a process and every process below it; one that ends meanwhile counts no more.
double TreeSeconds(pid_t root) {
    double total = 0;
    std::vector<pid_t> tree = Descendants(root);
    tree.push_back(root);
    for (const pid_t pid : tree) {
        try {
            total += ReadCpuSeconds(pid);
        } catch (const std::exception&) {
        }
    }
    return total;
}

double Packed(const QByteArray& bytes) {
    return static_cast<double>(qCompress(bytes, 9).size() - 4);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (!QFile::exists(tChromium::kBinary)) {
        std::fprintf(stderr, "Chromium is not installed (bash tools/setup.sh test installs it)\n");
        return 1;
    }
    tTimedGame game({0, 0, 1, 0}, "Long");
    std::mt19937 random(1);
    while (game.Game().Playing() && game.Game().Counters().PlayTimeMs < kTenMinutesMs) {
        PlayGame(game, tPlayStyle::Slide, game.Game().Counters().Figures + 100, random);
    }
    EndGame(game);
    Print("game_play_time", static_cast<double>(game.Game().Counters().PlayTimeMs) / 60000.0, "min");
    Print("game_key_presses", static_cast<double>(game.Record().Presses.size()), "presses");

    QTemporaryDir dir;
    tServerProcess server;
    QString problem;
    if (!server.Start(dir.path(), {}, problem)) {
        std::fprintf(stderr, "%s\n", qPrintable(problem));
        return 1;
    }
    const std::string upload =
        "index.php?tab=hscore&data=" +
        PercentEncodeAll(UploadData("Standart", "Easy", ResultOf(game.Game(), "Long"))) + "&replay=" +
        QByteArray::fromStdString(EncodeReplay(game.Record()))
            .toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals)
            .toStdString();
    if (HttpGet(server.Base().toUtf8() + upload.c_str()).Status != 200) {
        std::fprintf(stderr, "the game was refused\n");
        return 1;
    }
    const QByteArray wasm = HttpGet(server.Base().toUtf8() + "viewer/stakkar-viewer.wasm").Body;
    const QByteArray script = HttpGet(server.Base().toUtf8() + "viewer/viewer.js").Body;
    if (wasm.isEmpty() || script.isEmpty()) {
        std::fprintf(stderr, "the server has no viewer (built without emscripten)\n");
        return 1;
    }
    Print("viewer_model_sent", static_cast<double>(wasm.size()), "bytes");
    Print("viewer_script_sent", static_cast<double>(script.size()), "bytes");
    Print("viewer_both_sent", static_cast<double>(wasm.size() + script.size()), "bytes");
    Print("viewer_both_gzip", Packed(wasm) + Packed(script), "bytes");

    PrintLoad("viewer", "before");
    tChromium chromium;
    if (!chromium.Start(problem)) {
        std::fprintf(stderr, "%s\n", qPrintable(problem));
        return 1;
    }
    const QString page = server.Base() + "results/1";
    std::vector<double> later;
    for (int visit = 0; visit < kVisits; ++visit) {
        if (!chromium.Open(page, problem) || chromium.Eval("stakkarViewer.ready") != true) {
            std::fprintf(stderr, "the page did not play: %s\n", qPrintable(problem));
            return 1;
        }
        const double ms = chromium.Eval("stakkarViewer.readyAt()").toDouble();
        if (visit == 0) {
            Print("page_playable_first_visit", ms, "ms");
        } else {
            later.push_back(ms);
        }
    }
    Print("page_playable_later_visits_p50", Percentile(later, 0.5), "ms");
    Print("page_playable_later_visits_max", Percentile(later, 1), "ms");

    const QJsonArray jumps =
        chromium
            .Eval(QString("(() => { const took = []; let seed = 7; const end = stakkarViewer.end();"
                          " for (let i = 0; i < %1; ++i) { seed = (seed * 48271) % 2147483647;"
                          " const at = Math.floor(seed / 2147483647 * end); const t = performance.now();"
                          " stakkarViewer.seek(at); took.push(performance.now() - t); } return took; })()")
                      .arg(kJumps))
            .toArray();
    std::vector<double> jumpMs;
    for (const QJsonValue& took : jumps) {
        jumpMs.push_back(took.toDouble());
    }
    if (jumpMs.empty()) {
        std::fprintf(stderr, "the jumps failed\n");
        return 1;
    }
    Print("jump_p50", Percentile(jumpMs, 0.5), "ms");
    Print("jump_p99", Percentile(jumpMs, 0.99), "ms");
    Print("jump_max", Percentile(jumpMs, 1), "ms");
    const QString lastJump =
        QString("(() => { const t = performance.now(); stakkarViewer.seek(stakkarViewer.end() "
                "- 1); stakkarViewer.seek(1); stakkarViewer.seek(stakkarViewer.end() - 1);"
                " return (performance.now() - t) / 2; })()");
    Print("jump_from_start_to_end", chromium.Eval(lastJump).toDouble(), "ms");

    const auto browser = static_cast<pid_t>(chromium.Pid());
    chromium.Eval("stakkarViewer.seek(0)");
    double before = TreeSeconds(browser);
    std::this_thread::sleep_for(std::chrono::duration<double>(kWatchSeconds));
    Print("browser_cpu_paused", 100.0 * (TreeSeconds(browser) - before) / kWatchSeconds, "% of a core");
    if (!chromium.PressKey(" ", problem)) {
        std::fprintf(stderr, "%s\n", qPrintable(problem));
        return 1;
    }
    const double framesBefore = chromium.Eval("stakkarViewer.frames()").toDouble();
    before = TreeSeconds(browser);
    std::this_thread::sleep_for(std::chrono::duration<double>(kWatchSeconds));
    const double used = TreeSeconds(browser) - before;
    const double frames = chromium.Eval("stakkarViewer.frames()").toDouble() - framesBefore;
    Print("browser_cpu_playing_x1", 100.0 * used / kWatchSeconds, "% of a core");
    Print("frames_playing_x1", frames / kWatchSeconds, "1/s");
    Print("game_time_played_in_10_s", chromium.Eval("stakkarViewer.time()").toDouble() / 1000.0, "s");
    PrintLoad("viewer", "after");
    return 0;
}
