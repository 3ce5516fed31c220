// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/uGamepads.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QStyleHints>

#include <algorithm>

namespace {

using namespace std::chrono_literals;

// The pause before a held button first repeats until the player's is set: the desktop's usual keyboard
// delay, which Qt does not tell.
constexpr auto kRepeatDelay = 500ms;
// How often SDL is looked at while a controller is attached: a press waits 8 ms at most, well under a frame.
constexpr auto kPollInterval = 8ms;
// After the devices change, SDL is looked at this often, this many times, to see the controller come or go.
constexpr auto kSettleInterval = 100ms;
constexpr int kSettleLooks = 30;
// How far the stick goes before it counts as a press of its direction, and how far back before it counts
// as let go: a stick resting near the edge does not chatter.
constexpr int kStickPress = 16384;
constexpr int kStickRelease = 8192;
// The number an axis's direction is told by beside the buttons' own numbers.
constexpr int kAxisPart = 100;

std::chrono::milliseconds RepeatInterval() {
    const int rate = QGuiApplication::styleHints()->keyboardAutoRepeatRate();
    return std::chrono::milliseconds(1000 / std::max(1, rate));
}

} // namespace

const std::vector<std::string>& GamepadButtonNames() {
    static const std::vector<std::string> names{"a",
                                                "b",
                                                "x",
                                                "y",
                                                "back",
                                                "guide",
                                                "start",
                                                "leftstick",
                                                "rightstick",
                                                "leftshoulder",
                                                "rightshoulder",
                                                "dpup",
                                                "dpdown",
                                                "dpleft",
                                                "dpright",
                                                "misc1",
                                                "paddle1",
                                                "paddle2",
                                                "paddle3",
                                                "paddle4",
                                                "touchpad"};
    return names;
}

tGamepads::tGamepads(std::string library)
    : libraryName_(std::move(library)), held_(kRepeatDelay, RepeatInterval()) {
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, [this] {
        if (settleLooks_ > 0)
            --settleLooks_;
        if (state_ == tState::Idle && HasJoystick())
            Load();
        Poll();
    });
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, &tGamepads::DevicesChanged);
}

tGamepads::~tGamepads() {
    if (loader_.joinable())
        loader_.join();
    if (state_ == tState::Ready)
        for (SDL_GameController* controller : controllers_)
            sdl_.Close(controller);
}

void tGamepads::Watch(const QString& devices) {
    devices_ = devices;
    if (QFileInfo(devices).isDir())
        watcher_.addPath(devices);
    if (HasJoystick())
        Load();
}

bool tGamepads::HasJoystick() const {
    if (devices_.isEmpty())
        return false;
    // The joystick driver's nodes, and udev's names for a joystick's event node where that driver is not
    // loaded.
    const QDir folder(devices_);
    return !folder.entryList({"js*"}, QDir::System | QDir::Files).isEmpty() ||
           !QDir(folder.filePath("by-id")).entryList({"*joystick*"}, QDir::System | QDir::Files).isEmpty() ||
           !QDir(folder.filePath("by-path")).entryList({"*joystick*"}, QDir::System | QDir::Files).isEmpty();
}

void tGamepads::DevicesChanged() {
    settleLooks_ = kSettleLooks;
    Schedule();
}

void tGamepads::Load() {
    if (state_ != tState::Idle)
        return;
    state_ = tState::Loading;
    // Loading SDL and starting its subsystem reads dozens of libraries and asks udev for the devices: on a
    // worker, so that the window never waits for it.
    loader_ = std::thread([this] {
        const bool started = sdl_.Start(libraryName_);
        QMetaObject::invokeMethod(
            this, [this, started] { Loaded(started); }, Qt::QueuedConnection);
    });
}

void tGamepads::Loaded(bool started) {
    loader_.join();
    state_ = started ? tState::Ready : tState::Failed;
    if (!started) {
        watcher_.removePaths(watcher_.directories());
        settleLooks_ = 0;
    }
    // The controllers attached already are told as SDL's first events.
    Poll();
}

void tGamepads::Poll() {
    if (state_ == tState::Ready) {
        SDL_Event event;
        while (sdl_.PollEvent(&event) != 0)
            Handle(event);
        for (const std::string& name : held_.Due(tHeldButtons::tClock::now()))
            emit pressed(QString::fromStdString(name), true);
    }
    Schedule();
}

void tGamepads::Schedule() {
    const bool ready = state_ == tState::Ready;
    const auto look = [this](std::chrono::milliseconds interval) {
        // A running timer keeps its pace: it is not started afresh at every look.
        if (!timer_.isActive() || timer_.intervalAsDuration() != interval)
            timer_.start(interval);
    };
    if (ready && !controllers_.empty())
        look(kPollInterval);
    else if (settleLooks_ > 0 && (ready || state_ == tState::Idle))
        look(kSettleInterval);
    else
        timer_.stop();
}

void tGamepads::Handle(const SDL_Event& event) {
    switch (event.type) {
    case SDL_CONTROLLERDEVICEADDED:
        if (SDL_GameController* controller = sdl_.Open(event.cdevice.which); controller != nullptr) {
            // A controller told twice is opened once: SDL counts the second opening, which is handed back.
            if (std::find(controllers_.begin(), controllers_.end(), controller) != controllers_.end()) {
                sdl_.Close(controller);
                break;
            }
            controllers_.push_back(controller);
        }
        break;
    case SDL_CONTROLLERDEVICEREMOVED:
        if (const auto it =
                std::find(controllers_.begin(), controllers_.end(), sdl_.FromInstanceId(event.cdevice.which));
            it != controllers_.end()) {
            sdl_.Close(*it);
            controllers_.erase(it);
            held_.ReleaseController(event.cdevice.which);
            emit detached();
        }
        break;
    case SDL_CONTROLLERBUTTONDOWN:
        if (const char* name = sdl_.ButtonName(static_cast<SDL_GameControllerButton>(event.cbutton.button))) {
            if (std::string_view(name) == kStartButton)
                emit pressed(kStartButton, false);
            else
                Press(event.cbutton.which, event.cbutton.button, name);
        }
        break;
    case SDL_CONTROLLERBUTTONUP:
        held_.Release({event.cbutton.which, event.cbutton.button});
        break;
    case SDL_CONTROLLERAXISMOTION:
        Axis(event.caxis.which, event.caxis.axis, event.caxis.value);
        break;
    default:
        break;
    }
}

void tGamepads::Axis(int controller, int axis, int value) {
    if (axis != SDL_CONTROLLER_AXIS_LEFTX && axis != SDL_CONTROLLER_AXIS_LEFTY)
        return;
    const bool across = axis == SDL_CONTROLLER_AXIS_LEFTX;
    const int back = kAxisPart + 2 * axis;
    const int forth = back + 1;
    if (value <= -kStickPress)
        Press(controller, back, across ? "dpleft" : "dpup");
    else if (value > -kStickRelease)
        held_.Release({controller, back});
    if (value >= kStickPress)
        Press(controller, forth, across ? "dpright" : "dpdown");
    else if (value < kStickRelease)
        held_.Release({controller, forth});
}

void tGamepads::Press(int controller, int part, const std::string& name) {
    if (held_.Press({controller, part}, name, tHeldButtons::tClock::now()))
        emit pressed(QString::fromStdString(name), false);
}
