#include "platform/uMessage.h"
#include "shell/stakmain.h"
#include "shell/uMessageBox.h"
#include "shell/uQuitSignals.h"
#include "shell/uSingleInstance.h"
#include "shell/uSplash.h"

#include <QApplication>
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
    // Messages go to the box from the start: reading a damaged users.dat already has one to tell.
    SetMessagePresenter(PresentInMessageBox);
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
