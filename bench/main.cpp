// Runs scripted games headless and prints what a tick and a key cost and how well the timer keeps up at its
// fastest interval, one "name: value unit" line each.

#include "AutoPlayer.h"
#include "engine/core/uRandom.h"
#include "engine/uGame.h"
#include "engine/uSound.h"
#include "look/uLang.h"
#include "look/uSkin.h"
#include "platform/uBaseDir.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

using tClock = QElapsedTimer;

double Median(std::vector<double> values) {
    if (values.empty()) {
        return 0.0;
    }
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Plays each new figure to the place the auto-player picks; optionally drops it there at once.
class tScriptedPlayer {
public:
    explicit tScriptedPlayer(tGlass& glass) : glass_(glass) {}

    void Start(int difficulty, int startLevel) {
        glass_.SetDifficulty(difficulty, "Standart");
        glass_.SetStartLevel(startLevel);
        glass_.NewGame();
        figures_ = -1;
        ++games_;
    }
    // After every tick: a figure that has just entered is steered to its place; a game that ended starts
    // again.
    void Follow() {
        if (!glass_.Playing()) {
            Start(difficulty_, startLevel_);
            return;
        }
        if (glass_.Falling() && glass_.Stat().Figures() != figures_) {
            Place();
        }
    }
    void Place() {
        figures_ = glass_.Stat().Figures();
        const tPlacement placement =
            ChoosePlacement(glass_.Well(), glass_.Current(), glass_.FigX(), glass_.FigY());
        for (const uint16_t key : PlacementKeys(placement)) {
            glass_.HandleKey(key);
        }
    }
    void Settings(int difficulty, int startLevel) {
        difficulty_ = difficulty;
        startLevel_ = startLevel;
    }
    int Games() const { return games_; }

private:
    tGlass& glass_;
    int figures_ = -1;
    int games_ = 0;
    int difficulty_ = 0;
    int startLevel_ = 1;
};

void Print(const char* name, double value, const char* unit) {
    std::printf("%s: %.3f %s\n", name, value, unit);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    QTemporaryDir home;
    BaseDir = home.path().toStdString();
    LoadLanguageResource();
    LoadDefaultLanguage();
    LoadDefaultSkin();

    QWidget panel;
    panel.resize(585, 460);
    tGlass glass(&panel);
    glass.SetPlayer("Bench");
    glass.SetGameType(false, "Standart");
    glass.SetShowFix(true);
    panel.show();
    QCoreApplication::processEvents();
    SeedRandom(20240601);

    tScriptedPlayer player(glass);
    tClock clock;

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
        if (i % 10 == 0) {
            clock.start();
            glass.Tick();
            QCoreApplication::processEvents();
            painted.push_back(static_cast<double>(clock.nsecsElapsed()) / 1000.0);
            player.Follow();
        }
    }
    Print("tick", Median(ticks), "us");
    Print("tick_with_screen_paint", Median(painted), "us");

    // One sideways move with the landing mark erased and drawn again.
    std::vector<double> moves;
    for (int i = 0; i < 20000; ++i) {
        if (!glass.Playing() || !glass.Falling()) {
            player.Start(0, 1);
            glass.Tick();
        }
        const uint16_t key = i % 2 == 0 ? 37 : 39;
        clock.start();
        glass.HandleKey(key);
        moves.push_back(static_cast<double>(clock.nsecsElapsed()) / 1000.0);
        if (i % 50 == 49) {
            glass.Tick();
            player.Follow();
        }
    }
    Print("key_move", Median(moves), "us");

    // The real timer at 1 ms: "Impossible" from level 10 reaches it with the 20th figure.
    player.Settings(3, 10);
    player.Start(3, 10);
    glass.Tick();
    // Nineteen figures placed and dropped at once bring the level with the 1 ms interval.
    while (glass.Timer().Interval() > 1) {
        if (!glass.Playing()) {
            player.Start(3, 10);
        }
        if (!glass.Falling()) {
            glass.Tick();
            continue;
        }
        player.Place();
        glass.HandleKey(17);
    }
    int fired = 0;
    const auto counter = QObject::connect(&glass.Timer(), &tGameTimer::timeout, [&] {
        ++fired;
        player.Follow();
    });
    const int gamesBefore = player.Games();
    QEventLoop loop;
    QTimer::singleShot(5000, &loop, &QEventLoop::quit);
    clock.start();
    loop.exec();
    const double seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    QObject::disconnect(counter);
    const double perSecond = fired / seconds;
    Print("timer_ticks_per_second", perSecond, "1/s");
    Print("timer_ratio_to_nominal", perSecond / 1000.0, "ratio");
    Print("timer_games_restarted", player.Games() - gamesBefore, "games");
    Print("timer_figures", glass.Stat().Figures(), "figures");
    glass.StopGame(true);
    return 0;
}
