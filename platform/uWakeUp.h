// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A single-shot wake-up on the event loop, to the nanosecond. Qt's timers take memory from the heap at every
// start, and the game starts one at every tick and every frame; a timer descriptor is armed again in place.

#include <QObject>
#include <QSocketNotifier>

#include <functional>

class tWakeUp : public QObject {
public:
    explicit tWakeUp(std::function<void()> onWake);
    ~tWakeUp() override;
    tWakeUp(const tWakeUp&) = delete;
    tWakeUp& operator=(const tWakeUp&) = delete;

    // Wakes once, `nanoseconds` from now (at the next turn of the event loop for none); again replaces the
    // wake-up asked for before.
    void StartIn(qint64 nanoseconds);
    void Stop();
    bool IsActive() const { return active_; }
    // Nanoseconds until the wake-up; 0 when it is due or none is asked for.
    qint64 Remaining() const;

private:
    void Woken();

    int fd_ = -1;
    QSocketNotifier* notifier_ = nullptr;
    std::function<void()> onWake_;
    bool active_ = false;
};
