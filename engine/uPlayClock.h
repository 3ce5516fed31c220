// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The time of play of the running game: milliseconds since it started, its pauses left out, and the hangs
// the game's timer leaves out. A key press is recorded at this time.

#include <QElapsedTimer>

#include <cstdint>

class tPlayClock {
public:
    // From zero, running.
    void Start() {
        banked_ = 0;
        clock_.start();
        running_ = true;
    }
    void SetPaused(bool paused) {
        if (paused && running_) {
            banked_ += clock_.nsecsElapsed();
        } else if (!paused && !running_) {
            clock_.start();
        }
        running_ = !paused;
    }
    // Time the game did not run, as when the timer gave up ticks it fell too far behind for.
    void LeaveOut(int64_t nanoseconds) { banked_ -= nanoseconds; }
    int64_t Ms() const { return (banked_ + (running_ ? clock_.nsecsElapsed() : 0)) / 1000000; }

private:
    QElapsedTimer clock_;
    int64_t banked_ = 0;
    bool running_ = false;
};
