// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Game controllers, through SDL's game controller API: every press of a button, and every push of the left
// stick as the pad's button of that direction, told by SDL's name for the button, with held buttons
// repeating as held keys do. SDL is loaded only once the system has a joystick, on a worker thread, and
// looked at only while a controller is attached or the devices have just changed; without a joystick,
// without SDL or without its subsystem nothing runs and nothing is told.

#include "platform/uHeldButtons.h"
#include "platform/uSdlLibrary.h"

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

#include <string>
#include <thread>
#include <vector>

// SDL's names of the game controller buttons, in SDL's order: the names users.dat keeps.
const std::vector<std::string>& GamepadButtonNames();
// The button that pauses and starts a game; no action can be bound to it.
inline constexpr const char* kStartButton = "start";

class tGamepads : public QObject {
    Q_OBJECT
public:
    enum class tState { Idle, Loading, Ready, Failed };

    // library: the SDL library to load, its soname unless a test names another.
    explicit tGamepads(std::string library = kSdlLibraryName);
    ~tGamepads() override;

    // Loads SDL as soon as the folder of input devices holds a joystick, now or later.
    void Watch(const QString& devices = "/dev/input");
    // Loads SDL now, whatever devices there are, as controllers SDL makes itself need.
    void Load();
    tState State() const { return state_; }
    // The controllers open now.
    int Attached() const { return static_cast<int>(controllers_.size()); }
    // Looks at SDL's events now. The timer does so while a controller is attached or the devices have just
    // changed; a controller SDL makes itself changes no device.
    void Poll();
    // How held buttons repeat: the pause before the first repeat and the time between repeats. Until it is
    // set, the desktop's keyboard repeat.
    void SetRepeat(std::chrono::milliseconds delay, std::chrono::milliseconds interval) {
        held_.SetTiming(delay, interval);
    }

signals:
    // A button went down (repeat false) or repeats while held (repeat true). Start never repeats.
    void pressed(const QString& button, bool repeat);
    // A controller went away; the buttons it held are let go.
    void detached();

private:
    void Loaded(bool started);
    void DevicesChanged();
    bool HasJoystick() const;
    void Handle(const SDL_Event& event);
    void Axis(int controller, int axis, int value);
    void Press(int controller, int part, const std::string& name);
    void Schedule();

    std::string libraryName_;
    tSdlLibrary sdl_;
    std::thread loader_;
    tState state_ = tState::Idle;
    QString devices_;
    QFileSystemWatcher watcher_;
    // The looks after a change of the devices, while SDL finds out what came or went.
    int settleLooks_ = 0;
    QTimer timer_;
    std::vector<SDL_GameController*> controllers_;
    tHeldButtons held_;
};
