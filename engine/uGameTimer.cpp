// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/uGameTimer.h"

#include <algorithm>

namespace {

constexpr qint64 kMillisecond = 1000000;
// How far the timer may fall behind and still run the missed ticks at its next wake-up: a slow frame, the X
// connection or a busy machine cost the game no ticks. Beyond that the missed ticks are dropped, as after a
// hang nobody wants the figure to race down.
constexpr qint64 kCatchUp = 50 * kMillisecond;
// The shortest time between two wake-ups: a quarter of a 60 Hz frame.
constexpr qint64 kBatch = 4 * kMillisecond;

} // namespace

tGameTimer::tGameTimer() : shot_([this] { Fire(); }) {
    clock_.start();
}

void tGameTimer::Start() {
    active_ = true;
    ++starts_;
    // A tick that starts the period afresh does so at its own time, however late its batch runs it.
    deadline_ = running_ ? tickDue_ : clock_.nsecsElapsed();
    ScheduleNext();
}

void tGameTimer::Stop() {
    active_ = false;
    holding_ = false;
    shot_.Stop();
}

void tGameTimer::Hold(int milliseconds) {
    Stop();
    holding_ = true;
    holdEnd_ = clock_.nsecsElapsed() + milliseconds * kMillisecond;
    shot_.StartIn(milliseconds * kMillisecond);
}

void tGameTimer::EndHold() {
    holding_ = false;
    emit held();
}

void tGameTimer::SetInterval(int milliseconds) {
    interval_ = std::max(1, milliseconds);
    if (active_) {
        Start();
    }
}

void tGameTimer::Pause() {
    // A late tick of a paused game stops the timer again: what was left stays.
    if (!active_) {
        return;
    }
    remaining_ = std::max<qint64>(0, deadline_ - clock_.nsecsElapsed());
    Stop();
}

void tGameTimer::Resume() {
    active_ = true;
    ++starts_;
    deadline_ = clock_.nsecsElapsed() + remaining_;
    Shoot();
}

qint64 tGameTimer::Period() const {
    return interval_ * kMillisecond;
}

void tGameTimer::Fire() {
    if (holding_) {
        EndHold();
    } else if (active_) {
        Run(clock_.nsecsElapsed());
    }
}

void tGameTimer::RunDue() {
    const qint64 now = clock_.nsecsElapsed();
    if (holding_ && holdEnd_ <= now) {
        EndHold();
    } else if (active_ && !running_ && deadline_ <= now) {
        Run(now);
    }
}

void tGameTimer::Run(qint64 now) {
    if (now - deadline_ > std::max(kCatchUp, Period())) {
        emit skipped(now - deadline_);
        deadline_ = now;
    }
    // The ticks that fell due since the last wake-up run together; a tick that stopped the timer or started
    // it afresh ends the run.
    const quint64 run = starts_;
    running_ = true;
    do {
        tickDue_ = deadline_;
        deadline_ += Period();
        emit timeout();
    } while (active_ && starts_ == run && deadline_ <= now);
    running_ = false;
    lastRun_ = now;
    if (active_ && starts_ == run) {
        Shoot();
    }
}

void tGameTimer::ScheduleNext() {
    deadline_ += Period();
    Shoot();
}

void tGameTimer::Shoot() {
    shot_.StartIn(std::max(deadline_, lastRun_ + kBatch) - clock_.nsecsElapsed());
}
