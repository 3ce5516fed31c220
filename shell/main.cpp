#include "engine/core/uRandom.h"
#include "engine/uSound.h"
#include "platform/uBaseDir.h"
#include "platform/uMessage.h"
#include "platform/uShell.h"
#include "shell/stakmain.h"
#include "shell/uMessageBox.h"
#include "shell/uQuitSignals.h"
#include "shell/uSingleInstance.h"
#include "shell/uSplash.h"

#include <QApplication>
#include <QDir>
#include <QSessionManager>

#include <cstdio>
#include <memory>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    tSingleInstance guard(tSingleInstance::DefaultName());
    if (!guard.Claim()) {
        std::fputs("Stakkar is already running for this user on this display; its window was brought to the "
                   "front.\n",
                   stderr);
        return 0;
    }

    auto splash = std::make_unique<TSplash>();
    splash->show();
    splash->repaint();
    QApplication::processEvents();

    QApplication::setApplicationName(kApplicationTitle);
    // The services the game uses, made here: messages go to the box from the start (reading a damaged
    // users.dat already has one to tell), sounds to the speakers, addresses to the desktop, and every well
    // draws from the clock.
    BaseDir = QDir::currentPath().toStdString();
    SetMessagePresenter(PresentInMessageBox);
    SetSoundPlayer(PlayOnSoundOutput);
    SetShellOpener(OpenWithDesktop);
    SetSeedSource(SteadyClockSeed);
    TMainForm mainForm;
    mainForm.show();
    guard.SetRaiseHandler([&mainForm] { mainForm.BringToFront(); });
    CreateMessageBox(&mainForm);
    splash.reset();

    // A log-out, a shutdown or a kill ends the game as its Exit button does: options are saved first.
    const auto quit = [&mainForm] {
        mainForm.close();
        QApplication::exit(0);
    };
    tQuitSignals quitSignals;
    QObject::connect(&quitSignals, &tQuitSignals::quitRequested, &mainForm, quit);
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &mainForm, quit);
    return QApplication::exec();
}
