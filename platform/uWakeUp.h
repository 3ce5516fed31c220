// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A single-shot wake-up on the event loop, to the nanosecond. Qt's timers take memory from the heap at every
// start, and the game starts one at every tick and every frame; a timer descriptor is armed again in place.
// A wake-up asked for now comes when the event loop has done its turn and would wait: no descriptor is
// armed for it, so a frame that follows a tick costs no second wake-up of the process.

#include <QObject>
#include <QSocketNotifier>

#include <functional>

class tWakeUp : public QObject {
public:
    explicit tWakeUp(std::function<void()> onWake);
    ~tWakeUp() override;
    tWakeUp(const tWakeUp&) = delete;
    tWakeUp& operator=(const tWakeUp&) = delete;

    // Wakes once, `nanoseconds` from now (for none, at the end of this turn of the event loop); again
    // replaces the wake-up asked for before.
    void StartIn(qint64 nanoseconds);
    void Stop();
    bool IsActive() const { return armed_ || atTurnEnd_; }
    // Nanoseconds until the wake-up; 0 when it is due or none is asked for.
    qint64 Remaining() const;

private:
    void Woken();
    // The event loop has done a turn: it is about to wait, or a new pass begins.
    void TurnEnded();
    void Disarm();

    int fd_ = -1;
    // Whether the descriptor is armed, or the wake-up waits for the loop's turn to end.
    bool armed_ = false;
    bool atTurnEnd_ = false;
    QSocketNotifier* notifier_ = nullptr;
    std::function<void()> onWake_;
};
