// SPDX-License-Identifier: GPL-3.0-or-later
// Runs scripted games headless and prints what a tick and a key cost, what a tick costs with the paint that
// shows it, how well the timer and the painting keep up at the fastest interval, and how fast a watched game
// runs there at x1 and x8, one "name: value unit" line each. "--window SECONDS" plays in the real main window
// instead (see WindowBench.h); "--rounds N" only runs N ticks with their paints, for an instruction counter.

#include "AutoPlayer.h"
#include "BenchReport.h"
#include "PaintCounter.h"
#include "ScriptedGame.h"
#include "WindowBench.h"
#include "core/uPressPace.h"
#include "core/uReplayCursor.h"
#include "core/uRules.h"
#include "engine/uGame.h"
#include "engine/uSound.h"
#include "look/uLang.h"
#include "look/uSkin.h"
#include "platform/uBaseDir.h"
#include "platform/uLocalClock.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace {

using tClock = QElapsedTimer;

// Plays each new figure to the place the auto-player picks, its keys as fast as the game takes a player's:
// each waits for its moment in the pace of a real player, kept on the player's own clock.
class tScriptedPlayer {
public:
    explicit tScriptedPlayer(tGlass& glass) : glass_(glass) { keys_.reserve(16); }

    void Start(int difficulty, int startLevel) {
        glass_.SetSettings({0, difficulty, startLevel, 0});
        glass_.NewGame();
        clock_.start();
        pace_ = {};
        keys_.clear();
        figures_ = -1;
        ++games_;
    }
    // After every tick: a figure that has just entered is given its keys, optionally a drop after them, and
    // the keys whose moment has come are pressed; a game that ended starts again.
    void Follow(bool drop = false) {
        if (!glass_.Playing()) {
            Start(difficulty_, startLevel_);
            return;
        }
        if (glass_.Falling() && glass_.Model().Counters().Figures != figures_) {
            figures_ = glass_.Model().Counters().Figures;
            keys_ =
                PlacementKeys(ChoosePlacement(glass_.Well(), glass_.Current(), glass_.FigX(), glass_.FigY()));
            if (drop) {
                keys_.push_back(ActionRule(tAction::Drop).WellKey);
            }
            next_ = 0;
        }
        PressDue();
    }
    void Settings(int difficulty, int startLevel) {
        difficulty_ = difficulty;
        startLevel_ = startLevel;
    }
    int Games() const { return games_; }

private:
    void PressDue() {
        while (next_ < keys_.size() && !glass_.Timer().Holding()) {
            const tActionSet actions = ActionsOf(keys_[next_]);
            // A millisecond to spare: the game's clock started a moment before this one.
            const int64_t now = clock_.elapsed() - 1;
            if (!pace_.Breaks(actions, now).empty()) {
                return;
            }
            pace_.Take(actions, now);
            glass_.HandleKey(keys_[next_++]);
        }
    }
    static tActionSet ActionsOf(uint16_t key) {
        tActionSet actions = 0;
        for (size_t slot = 0; slot < kActions.size(); ++slot) {
            if (kActions[slot].WellKey == key) {
                actions |= ActionBit(static_cast<tAction>(slot));
            }
        }
        return actions;
    }

    tGlass& glass_;
    QElapsedTimer clock_;
    tPressPace pace_;
    std::vector<uint16_t> keys_;
    size_t next_ = 0;
    int figures_ = -1;
    int games_ = 0;
    int difficulty_ = 0;
    int startLevel_ = 1;
};

// One tick and the paint that puts it on screen, in processor time of this thread. A frame's time passes
// between the two asleep, so that whatever waits for the display has nothing left to wait for. Returns a
// negative time when no paint came.
double TickAndPaint(tGlass& glass, const tPaintCounter& paints) {
    const int before = paints.Count();
    const double start = ThreadCpuSeconds();
    glass.Tick();
    const double ticked = ThreadCpuSeconds();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    QTimer guard;
    guard.setSingleShot(true);
    guard.start(100);
    const double woken = ThreadCpuSeconds();
    while (paints.Count() == before && guard.isActive()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    const double used = ThreadCpuSeconds() - woken + ticked - start;
    return paints.Count() == before ? -1.0 : used * 1e6;
}

// Separate, so that an instruction counter can count this alone.
__attribute__((noinline)) void TickAndPaintRounds(tGlass& glass, const tPaintCounter& paints,
                                                  tScriptedPlayer& player, int rounds) {
    for (int i = 0; i < rounds; ++i) {
        TickAndPaint(glass, paints);
        player.Follow();
    }
}

} // namespace

int main(int argc, char** argv) {
    // A display given in the environment is used; otherwise none is needed.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    if (argc == 3 && std::strcmp(argv[1], "--window") == 0) {
        return RunWindowBench(std::stod(argv[2]));
    }
    QTemporaryDir home;
    BaseDir = home.path().toStdString();
    LoadLanguageResource();
    LoadDefaultLanguage();
    LoadDefaultSkin();

    QWidget panel;
    panel.resize(585, 460);
    tGlass glass(&panel);
    glass.SetPlayer("Bench");
    glass.SetShowFix(true);
    panel.show();
    QCoreApplication::processEvents();
    // Every run plays the same games, each game another one: each starts a second after the one before.
    SetLocalClock([start = QDateTime(QDate(2024, 6, 1), QTime(12, 0))]() mutable {
        start = start.addSecs(1);
        return start;
    });

    tScriptedPlayer player(glass);
    tClock clock;
    const tPaintCounter paints(&glass.View().WellImage());
    if (argc == 3 && std::strcmp(argv[1], "--rounds") == 0) {
        player.Settings(0, 1);
        player.Start(0, 1);
        TickAndPaintRounds(glass, paints, player, std::stoi(argv[2]));
        glass.StopGame(true);
        return 0;
    }

    // One timer tick: a move down (or a landing with the next figure) drawn into the well picture.
    player.Settings(0, 1);
    player.Start(0, 1);
    std::vector<double> ticks;
    std::vector<double> painted;
    for (int i = 0; i < 20000; ++i) {
        clock.start();
        glass.Tick();
        ticks.push_back(static_cast<double>(clock.nsecsElapsed()) / 1000.0);
        player.Follow();
        if (i % 50 == 0) {
            if (const double used = TickAndPaint(glass, paints); used >= 0) {
                painted.push_back(used);
            }
            player.Follow();
        }
    }
    Print("tick", Median(ticks), "us");
    Print("tick_with_screen_paint", Median(painted), "us");
    Print("tick_with_screen_paint_p95", Percentile(painted, 0.95), "us");

    // One sideways move with the landing mark erased and drawn again, as a held key repeats: ten to the left,
    // ten to the right.
    std::vector<double> moves;
    for (int i = 0; i < 400; ++i) {
        if (!glass.Playing() || !glass.Falling()) {
            player.Start(0, 1);
            glass.Tick();
        }
        const uint16_t key = i / 10 % 2 == 0 ? 37 : 39;
        std::this_thread::sleep_for(std::chrono::milliseconds(kFastestRepeatMs + 1));
        clock.start();
        glass.HandleKey(key);
        moves.push_back(static_cast<double>(clock.nsecsElapsed()) / 1000.0);
        if (i % 20 == 19) {
            glass.Tick();
        }
    }
    Print("key_move", Median(moves), "us");

    // The real timer at 1 ms: "Impossible" from level 10 reaches it with the 20th figure. Only time at that
    // interval counts: a game that ends is brought back to it untimed.
    const auto reachFastest = [&] {
        player.Settings(3, 10);
        player.Start(3, 10);
        glass.Tick();
        // Figures placed and dropped as fast as a player's keys may come bring the level with the 1 ms
        // interval; the game's own timer runs meanwhile.
        while (glass.Timer().Interval() > 1) {
            player.Follow(true);
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
    };
    int fired = 0;
    int paintsAtFastest = 0;
    int games = 0;
    double seconds = 0.0;
    double cpu = 0.0;
    QEventLoop loop;
    bool counting = false;
    const auto counter = QObject::connect(&glass.Timer(), &tGameTimer::timeout, [&] {
        if (!counting) {
            return;
        }
        ++fired;
        if (glass.Playing()) {
            player.Follow();
        } else {
            loop.quit();
        }
    });
    while (seconds < 5.0) {
        reachFastest();
        ++games;
        const int paintsBefore = paints.Count();
        const double cpuBefore = ProcessCpuSeconds();
        QTimer::singleShot(static_cast<int>((5.0 - seconds) * 1000.0) + 1, &loop, &QEventLoop::quit);
        clock.start();
        counting = true;
        loop.exec();
        counting = false;
        seconds += static_cast<double>(clock.nsecsElapsed()) / 1e9;
        cpu += ProcessCpuSeconds() - cpuBefore;
        paintsAtFastest += paints.Count() - paintsBefore;
    }
    QObject::disconnect(counter);
    const double perSecond = fired / seconds;
    Print("timer_ticks_per_second", perSecond, "1/s");
    Print("timer_ratio_to_nominal", perSecond / 1000.0, "ratio");
    Print("timer_paints_per_second", paintsAtFastest / seconds, "1/s");
    Print("timer_cpu_of_a_core", 100.0 * cpu / seconds, "%");
    Print("timer_games", games, "games");
    glass.StopGame(true);

    // A game watched in the well at x1 and at x8: how long it takes against the time it was played in, or
    // an eighth of it. At 40 ms an interval its ticks come about as often as the screen's frames.
    const tGameRecord recorded = PlayRecordedGame({0, 0, 24, 0}, kScriptedPlayer, 100);
    tGameModel timed;
    tReplayCursor cursor(timed, recorded);
    cursor.Start();
    cursor.RunToEnd();
    const double playedMs = static_cast<double>(cursor.Time());
    for (const int speed : {1, 8}) {
        glass.Watch(recorded);
        while (glass.WatchSpeed() < speed) {
            glass.HandleKey(107);
        }
        clock.start();
        while (glass.Watching()) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
        const double watchedMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
        const std::string name = "watch_x" + std::to_string(speed);
        Print((name + "_ms").c_str(), watchedMs, "ms");
        Print((name + "_ratio_to_played").c_str(), watchedMs * speed / playedMs, "ratio");
    }
    Print("watched_game_played_ms", playedMs, "ms");
    return 0;
}
