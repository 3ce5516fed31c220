// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// When the game's timer falls due, in milliseconds of play. Its period starts when the game starts and again
// at every restart the model asks for (a start, or a new interval while it runs), and it falls due an
// interval later; a tick starts the next period at its own time, and a resumed game goes on with the period
// its pause broke off, the pause being no time of play. The program's real timer can only be later
// than this, by the moments its work takes, so no press the program records comes before its tick is due
// here.

#include "core/uGameChanges.h"
#include "core/uGameModel.h"

#include <cstdint>

class tTickSchedule {
public:
    // After a command that ran at atMs and changed what `changes` names.
    void Follow(const tChanges& changes, const tGameModel& game, int64_t atMs) {
        if (!game.TimerRunning()) {
            running_ = false;
        } else if (changes.Timer == tTimerChange::Resume) {
            running_ = true;
        } else if (changes.Timer == tTimerChange::Start || changes.Interval || !running_) {
            running_ = true;
            due_ = atMs + game.Interval();
        }
    }
    // After ticks with no restart between them, the last of them at atMs.
    void Ticked(const tGameModel& game, int64_t atMs) {
        running_ = game.TimerRunning();
        due_ = atMs + game.Interval();
    }
    bool Running() const { return running_; }
    // The next tick's time, while the timer runs.
    int64_t Due() const { return due_; }

private:
    bool running_ = false;
    int64_t due_ = 0;
};
