// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The game's periodic timer. Ticks are scheduled against a steady clock (start + n x interval) rather than
// each one after the last, so that at the 1 ms of the highest levels the little lateness of every wake-up
// does not add up: the game gets the number of ticks per second its level asks for.
// Periods shorter than 4 ms are run in batches: the process wakes at most every 4 ms and runs
// the ticks that fell due meanwhile, as it wakes at the highest levels to a thousand ticks a second
// otherwise. What comes from outside (a key, a pause) first runs the ticks due before it (RunDue), so the
// game goes exactly as with a wake-up at every tick; only the screen shows each batch together.

#include "core/uRules.h"
#include "platform/uWakeUp.h"

#include <QElapsedTimer>
#include <QObject>

class tGameTimer : public QObject {
    Q_OBJECT

public:
    tGameTimer();

    // Starting (also when running) restarts the period.
    void Start();
    void Stop();
    // Stops, keeping what is left of the period for Resume.
    void Pause();
    // Goes on with the period Pause broke off.
    void Resume();
    // Stops for a drop's pause: `held` comes when it is over.
    void Hold(int milliseconds);
    bool Holding() const { return holding_; }
    bool IsActive() const { return active_; }
    // Milliseconds, at least 1; a running timer restarts its period, as a new interval takes effect at once.
    void SetInterval(int milliseconds);
    int Interval() const { return interval_; }
    // Runs now the ticks, or the end of a hold, that have fallen due and wait for their wake-up; nothing from
    // inside a tick.
    void RunDue();
    // During a tick: how many nanoseconds after its time it runs (a batch runs its ticks up to 4 ms late).
    qint64 LateBy() const { return clock_.nsecsElapsed() - tickDue_; }

signals:
    void timeout();
    // The timer fell so far behind that it gave up the ticks due meanwhile: that time the game did not run.
    void skipped(qint64 nanoseconds);
    void held();

private:
    void Fire();
    void EndHold();
    // Runs the tick due at the deadline and every later one due by `now`.
    void Run(qint64 now);
    void ScheduleNext();
    // The single shot for the tick due at the deadline.
    void Shoot();
    qint64 Period() const;

    tWakeUp shot_;
    QElapsedTimer clock_;
    qint64 deadline_ = 0; // nanoseconds on clock_
    qint64 lastRun_ = 0;
    qint64 tickDue_ = 0;
    bool running_ = false;
    int interval_ = kDifficulties[0].BaseInterval;
    // What a pause left of the period.
    qint64 remaining_ = 0;
    bool holding_ = false;
    qint64 holdEnd_ = 0;
    bool active_ = false;
    // Counts the starts, so that a wake-up sees when a tick it ran started the timer afresh.
    quint64 starts_ = 0;
};
