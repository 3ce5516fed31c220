// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowBench.h"

#include "core/uRules.h"

#include "AutoPlayer.h"
#include "BenchReport.h"
#include "PaintCounter.h"
#include "engine/uGame.h"
#include "platform/uBaseDir.h"
#include "shell/stakmain.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLineEdit>
#include <QPixmap>
#include <QScreen>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <string>
#include <vector>

namespace {

constexpr int kImpossible = 3;
constexpr int kTopStartLevel = 10;

Qt::Key QtKey(uint16_t code) {
    switch (code) {
    case 37:
        return Qt::Key_Left;
    case 39:
        return Qt::Key_Right;
    default:
        return Qt::Key_Up;
    }
}

// Runs the event loop as the program does, for the given time. (The test library's wait sleeps between its
// turns of the loop, which holds back a timer of a few milliseconds.)
void Run(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

void Press(TMainForm& form, Qt::Key key) {
    QTest::keyClick(form.windowHandle(), key);
}

// Ends a running game and starts one of the given difficulty and start level, as a player does on the
// options' lists and with F2.
void StartGame(TMainForm& form, int difficulty, int level) {
    if (form.Glass()->Playing()) {
        Press(form, Qt::Key_Escape);
    }
    auto* difficulties = form.findChild<QComboBox*>("cbDifficult");
    difficulties->setCurrentIndex(difficulty);
    emit difficulties->activated(difficulty);
    form.findChild<QSpinBox*>("seStartLevel")->setValue(level);
    Press(form, Qt::Key_F2);
}

// What the screen shows of the well, in the pixel format of the well's own picture.
QImage ShownWell(TMainForm& form) {
    QWidget& well = form.Glass()->View().WellImage();
    const QPoint at = well.mapTo(&form, QPoint(0, 0));
    return form.screen()
        ->grabWindow(form.winId(), at.x(), at.y(), well.width(), well.height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

// A scripted game at the top start level: every new figure is steered by keys to the place the auto-player
// picks; a game that ends starts again. Held at its level, a game starts again when it reaches the next
// level; otherwise it goes on to the fastest interval.
void PlayTopLevel(TMainForm& form, double seconds, bool hold, const std::string& name) {
    tGlass& glass = *form.Glass();
    const tPaintCounter paints(&glass.View().WellImage());
    int ticks = 0;
    int games = 0;
    int steered = -1;
    // Right after each tick, as the well's own handler runs first: a figure that has just entered is steered.
    const auto steer = QObject::connect(&glass.Timer(), &tGameTimer::timeout, [&] {
        ++ticks;
        if (glass.Playing() && glass.Falling() && glass.Model().Counters().Figures != steered) {
            steered = glass.Model().Counters().Figures;
            const tPlacement placement =
                ChoosePlacement(glass.Well(), glass.Current(), glass.FigX(), glass.FigY());
            for (const uint16_t key : PlacementKeys(placement)) {
                Press(form, QtKey(key));
            }
        }
    });
    // A game that ended starts again, as a player soon presses F2.
    QTimer restart;
    QObject::connect(&restart, &QTimer::timeout, [&] {
        if (!glass.Playing() || (hold && glass.Model().Counters().Level > kTopStartLevel)) {
            StartGame(form, kImpossible, kTopStartLevel);
            ++games;
            steered = -1;
        }
    });
    StartGame(form, kImpossible, kTopStartLevel);
    restart.start(50);
    QElapsedTimer wall;
    wall.start();
    const double cpuBefore = ProcessCpuSeconds();
    Run(static_cast<int>(seconds * 1000));
    const double cpu = ProcessCpuSeconds() - cpuBefore;
    const double elapsed = static_cast<double>(wall.nsecsElapsed()) / 1e9;
    restart.stop();
    QObject::disconnect(steer);
    const std::string prefix = "window_" + name + "_";
    Print((prefix + "cpu_of_a_core").c_str(), 100.0 * cpu / elapsed, "%");
    Print((prefix + "ticks_per_second").c_str(), ticks / elapsed, "1/s");
    Print((prefix + "paints_per_second").c_str(), paints.Count() / elapsed, "1/s");
    Print((prefix + "games_started").c_str(), games + 1, "games");
}

// Games at one interval, started as by the options and F2 (a level above the options' highest set on the
// well itself, as a game that climbed there): with no input, the figures falling on their own; or with every
// new figure steered into place by keys. A game that ends starts again at once; the ticks are counted against
// the time games ran, so the share of the nominal ticks tells what the window holds of the game's speed.
void PlayAtInterval(TMainForm& form, int level, bool steer, double seconds) {
    constexpr int kEasy = 0;
    const int interval = IntervalAt(kEasy, level);
    tGlass& glass = *form.Glass();
    const tPaintCounter paints(&glass.View().WellImage());
    QElapsedTimer game;
    qint64 running = 0;
    int ticks = 0;
    int games = 0;
    int steered = -1;
    qint64 lastTick = 0;
    qint64 lastRun = 0;
    qint64 longestGap = 0;
    StartGame(form, kEasy, std::min(level, kDifficulties[kEasy].MaxStartLevel));
    const auto start = [&] {
        if (glass.Playing()) {
            Press(form, Qt::Key_Escape);
        }
        tGameSettings settings = glass.Settings();
        settings.StartLevel = level;
        glass.SetSettings(settings);
        Press(form, Qt::Key_F2);
        steered = -1;
        ++games;
        lastTick = 0;
        lastRun = 0;
        game.start();
    };
    const auto tick = QObject::connect(&glass.Timer(), &tGameTimer::timeout, [&] {
        ++ticks;
        if (!glass.Playing()) {
            // The game ran until its last tick was due; storing its result is not the game's time.
            running += lastTick + interval * qint64{1000000};
            QTimer::singleShot(0, start);
        } else if (steer && glass.Falling() && glass.Model().Counters().Figures != steered) {
            steered = glass.Model().Counters().Figures;
            const tPlacement placement =
                ChoosePlacement(glass.Well(), glass.Current(), glass.FigX(), glass.FigY());
            for (const uint16_t key : PlacementKeys(placement)) {
                Press(form, QtKey(key));
            }
        }
        longestGap = std::max(longestGap, game.nsecsElapsed() - lastRun);
        lastRun = game.nsecsElapsed();
        // The game's time is that of its ticks: at the fastest levels they run in batches, a little after.
        lastTick = lastRun - glass.Timer().LateBy();
    });
    start();
    const double cpuBefore = ProcessCpuSeconds();
    QElapsedTimer wall;
    wall.start();
    Run(static_cast<int>(seconds * 1000));
    QObject::disconnect(tick);
    if (glass.Playing()) {
        running += game.nsecsElapsed();
    }
    const double cpu = ProcessCpuSeconds() - cpuBefore;
    const double elapsed = static_cast<double>(wall.nsecsElapsed()) / 1e9;
    const double played = static_cast<double>(running) / 1e9;
    const std::string prefix =
        "window_" + std::to_string(interval) + "ms_" + (steer ? "steered" : "no_input") + "_";
    Print((prefix + "ticks_per_second").c_str(), ticks / played, "1/s");
    Print((prefix + "share_of_nominal_ticks").c_str(), ticks / played * interval / 1000.0, "");
    Print((prefix + "paints_per_second").c_str(), paints.Count() / elapsed, "1/s");
    Print((prefix + "cpu_of_a_core").c_str(), 100.0 * cpu / elapsed, "%");
    Print((prefix + "games").c_str(), games, "games");
    Print((prefix + "longest_wait_between_ticks").c_str(), static_cast<double>(longestGap) / 1e6, "ms");
}

// Sideways keys at uneven moments; each is timed from the press until the screen shows the well as the key
// left it (or as a later tick did).
void KeyToScreen(TMainForm& form, int difficulty, int level, const char* name) {
    tGlass& glass = *form.Glass();
    StartGame(form, difficulty, level);
    std::vector<double> latencies;
    int direction = 1;
    for (int i = 0; latencies.size() < 200 && i < 2000; ++i) {
        Run(23 + (i * 7) % 31);
        if (!glass.Playing()) {
            StartGame(form, difficulty, level);
            continue;
        }
        if (!glass.Falling()) {
            continue;
        }
        if (!glass.Well().Fits(glass.Current(), glass.FigX() + direction, glass.FigY())) {
            direction = -direction;
            continue;
        }
        const int before = glass.FigX();
        QElapsedTimer clock;
        clock.start();
        Press(form, direction < 0 ? Qt::Key_Left : Qt::Key_Right);
        if (glass.FigX() == before) {
            continue;
        }
        while (clock.elapsed() < 200) {
            QCoreApplication::processEvents();
            if (ShownWell(form) == glass.View().WellImage().Image()) {
                latencies.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
                break;
            }
        }
    }
    const std::string prefix = std::string("key_to_screen_") + name;
    Print((prefix + "_p50").c_str(), Percentile(latencies, 0.5), "ms");
    Print((prefix + "_p95").c_str(), Percentile(latencies, 0.95), "ms");
    Print((prefix + "_samples").c_str(), static_cast<double>(latencies.size()), "keys");
}

} // namespace

int RunWindowBench(double seconds) {
    QTemporaryDir home;
    QDir::setCurrent(home.path());
    BaseDir = home.path().toStdString();
    TMainForm form;
    form.show();
    if (!QTest::qWaitForWindowExposed(&form)) {
        return 1;
    }
    auto* players = form.findChild<QComboBox*>("cbUsers");
    if (players == nullptr || form.findChild<QComboBox*>("cbDifficult") == nullptr ||
        form.findChild<QSpinBox*>("seStartLevel") == nullptr) {
        return 1;
    }
    QTest::keyClicks(players->lineEdit(), "Bench");
    QTest::keyClick(players, Qt::Key_Return);
    if (form.Glass() == nullptr) {
        return 1;
    }
    Print("screen_refresh_rate", form.screen()->refreshRate(), "Hz");
    PlayTopLevel(form, seconds, true, "level10");
    PlayTopLevel(form, seconds, false, "onward");
    // Easy's levels 26, 25, 21 and 1: the fastest interval and three of the level steps.
    for (const int level : {26, 25, 21, 1}) {
        PlayAtInterval(form, level, false, seconds);
        PlayAtInterval(form, level, true, seconds);
    }
    KeyToScreen(form, kImpossible, kTopStartLevel, "top_level");
    KeyToScreen(form, 0, 1, "first_level");
    Press(form, Qt::Key_Escape);
    return 0;
}
