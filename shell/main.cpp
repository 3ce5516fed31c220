// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/uSound.h"
#include "platform/uBaseDir.h"
#include "platform/uDataFolder.h"
#include "platform/uGamepads.h"
#include "platform/uLocalClock.h"
#include "platform/uMessage.h"
#include "platform/uResource.h"
#include "platform/uShell.h"
#include "shell/stakmain.h"
#include "shell/uAbout.h"
#include "shell/uCommandLine.h"
#include "shell/uMessageBox.h"
#include "shell/uQuitSignals.h"
#include "shell/uSingleInstance.h"
#include "shell/uSplash.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QPixmap>
#include <QSessionManager>

#include <cstdio>
#include <memory>

namespace {

// The icon at every size the build embeds, so that each task bar and switcher takes the one it needs. Read as
// PNG by name: a file whose format is to be found out makes Qt load every image plugin it has to ask them.
QIcon WindowIcon() {
    QIcon icon;
    const QDir embedded(":/icons");
    for (const QString& name : embedded.entryList({"stakkar-*.png"}, QDir::Files)) {
        icon.addPixmap(QPixmap::fromImage(ReadImageAs(embedded.filePath(name), "png")));
    }
    return icon;
}

// The data folder, and the skins and languages installed with the game beside the folder of the program.
void ChooseFolders(const std::string& named) {
    const auto env = [](const char* name) { return qEnvironmentVariable(name).toStdString(); };
    BaseDir = ChooseDataFolder(named, QDir::currentPath().toStdString(), env("XDG_DATA_HOME"),
                               QDir::homePath().toStdString());
    SharedDataDirs = {QDir::cleanPath(QApplication::applicationDirPath() + "/" + STAKKAR_SHARED_DATA_FROM_BIN)
                          .toStdString()};
}

// Qt talks to the user's session bus where one runs. Where none does, asking for it would start one that
// outlives the game, so the game goes without.
void KeepToARunningSessionBus() {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS") &&
        (runtime.isEmpty() || !QFileInfo::exists(runtime + "/bus"))) {
        qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");
    }
}

// Qt's own event loop for Unix in place of GLib's: the game needs nothing from GLib, and at the fastest
// levels its loop turns a thousand times a second.
void UseQtsEventLoop() {
    if (!qEnvironmentVariableIsSet("QT_NO_GLIB")) {
        qputenv("QT_NO_GLIB", "1");
    }
}

} // namespace

int main(int argc, char** argv) {
    const tCommandLine line = ParseCommandLine(argc, argv);
    switch (line.action) {
    case tCommandLine::tAction::Help:
        std::fputs(UsageText().c_str(), stdout);
        return 0;
    case tCommandLine::tAction::Version:
        std::printf("%s\n", kVersionLine);
        return 0;
    case tCommandLine::tAction::Refuse:
        std::fprintf(stderr, "%s\n", line.error.c_str());
        return 2;
    case tCommandLine::tAction::Play:
        break;
    }

    KeepToARunningSessionBus();
    UseQtsEventLoop();
    QApplication app(argc, argv);
    // Caught from the start, so a log-out that comes while the window is still being made waits until the
    // window can close with its saves, rather than killing the game.
    tQuitSignals quitSignals;
    QApplication::setWindowIcon(WindowIcon());
    QGuiApplication::setDesktopFileName(STAKKAR_DESKTOP_ID);
    tSingleInstance guard(tSingleInstance::DefaultName());
    if (!guard.Claim()) {
        std::fputs("Stakkar is already running for this user on this display; its window was brought to the "
                   "front.\n",
                   stderr);
        if (!line.replay.empty()) {
            // The running copy is not told of the file: it may be in the middle of a game.
            std::fprintf(stderr, "%s was not opened: close Stakkar to watch it.\n", line.replay.c_str());
            return 1;
        }
        return 0;
    }

    auto splash = std::make_unique<TSplash>();
    splash->show();
    splash->repaint();
    QApplication::processEvents();

    QApplication::setApplicationName(kApplicationTitle);
    // The services the game uses, made here: messages go to the box from the start (reading a damaged
    // users.dat already has one to tell), sounds to the speakers, addresses to the desktop, and every game
    // starts at the local time.
    ChooseFolders(line.dir);
    SetMessagePresenter(PresentInMessageBox);
    SetSoundPlayer(PlayOnSoundOutput);
    SetShellOpener(OpenWithDesktop);
    SetLocalClock([] { return QDateTime::currentDateTime(); });
    TMainForm mainForm;
    mainForm.show();
    // Controllers, once the system has one: until then SDL is not even loaded.
    tGamepads gamepads;
    mainForm.ListenTo(gamepads);
    gamepads.Watch();
    guard.SetRaiseHandler([&mainForm] { mainForm.BringToFront(); });
    CreateMessageBox(&mainForm);
    splash.reset();
    if (!line.replay.empty()) {
        mainForm.OpenReplay(line.replay);
    }

    // A log-out, a shutdown or a kill ends the game as its Exit button does: options are saved first.
    const auto quit = [&mainForm] {
        mainForm.close();
        QApplication::exit(0);
    };
    QObject::connect(&quitSignals, &tQuitSignals::quitRequested, &mainForm, quit);
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &mainForm, quit);
    quitSignals.Listen();
    return QApplication::exec();
}
