#include "WindowBench.h"

#include "AutoPlayer.h"
#include "BenchReport.h"
#include "PaintCounter.h"
#include "engine/uGame.h"
#include "platform/uBaseDir.h"
#include "shell/stakmain.h"
#include "shell/uOptionsPage.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPixmap>
#include <QScreen>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <vector>

namespace {

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

void Press(TMainForm& form, Qt::Key key) {
    QTest::keyClick(form.windowHandle(), key);
}

// Ends a running game and starts one of the given difficulty and start level, as a player does on the
// options' lists and with F2.
void StartGame(TMainForm& form, int difficulty, int level) {
    if (form.Glass()->Playing()) {
        Press(form, Qt::Key_Escape);
    }
    form.pConf->cbDifficult->setCurrentIndex(difficulty);
    form.cbDifficultChange();
    form.pConf->seStartLevel->setValue(level);
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
// picks; a game that ends starts again.
void PlayTopLevel(TMainForm& form, double seconds) {
    tGlass& glass = *form.Glass();
    const tPaintCounter paints(&glass.View().WellImage());
    int ticks = 0;
    int games = 0;
    int steered = -1;
    const auto counter = QObject::connect(&glass.Timer(), &tGameTimer::timeout, [&] { ++ticks; });
    QTimer player;
    QObject::connect(&player, &QTimer::timeout, [&] {
        if (!glass.Playing()) {
            Press(form, Qt::Key_F2);
            ++games;
            steered = -1;
            return;
        }
        if (glass.Falling() && glass.Stat().Figures() != steered) {
            steered = glass.Stat().Figures();
            const tPlacement placement =
                ChoosePlacement(glass.Well(), glass.Current(), glass.FigX(), glass.FigY());
            for (const uint16_t key : PlacementKeys(placement)) {
                Press(form, QtKey(key));
            }
        }
    });
    StartGame(form, 3, 10);
    player.start(1);
    QElapsedTimer wall;
    wall.start();
    const double cpuBefore = ProcessCpuSeconds();
    QTest::qWait(static_cast<int>(seconds * 1000));
    const double cpu = ProcessCpuSeconds() - cpuBefore;
    const double elapsed = static_cast<double>(wall.nsecsElapsed()) / 1e9;
    player.stop();
    QObject::disconnect(counter);
    Print("window_cpu_of_a_core", 100.0 * cpu / elapsed, "%");
    Print("window_ticks_per_second", ticks / elapsed, "1/s");
    Print("window_paints_per_second", paints.Count() / elapsed, "1/s");
    Print("window_games_started", games + 1, "games");
}

// Sideways keys at uneven moments; each is timed from the press until the screen shows the well as the key
// left it (or as a later tick did).
void KeyToScreen(TMainForm& form, int difficulty, int level, const char* name) {
    tGlass& glass = *form.Glass();
    StartGame(form, difficulty, level);
    std::vector<double> latencies;
    int direction = 1;
    for (int i = 0; latencies.size() < 200 && i < 2000; ++i) {
        QTest::qWait(23 + (i * 7) % 31);
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
    QTest::keyClicks(form.cbUsers->lineEdit(), "Bench");
    QTest::keyClick(form.cbUsers, Qt::Key_Return);
    if (form.Glass() == nullptr) {
        return 1;
    }
    Print("screen_refresh_rate", form.screen()->refreshRate(), "Hz");
    PlayTopLevel(form, seconds);
    KeyToScreen(form, 3, 10, "top_level");
    KeyToScreen(form, 0, 1, "first_level");
    Press(form, Qt::Key_Escape);
    return 0;
}
