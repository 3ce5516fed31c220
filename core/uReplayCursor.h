// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Plays a recorded game in a model step by step in the time of play: the game's ticks when its timer falls
// due (tTickSchedule), each press at its time and a drop's end after the drop's pause. The record decides
// the game: a press always comes after exactly the ticks it came after when it was played, so a tick waits
// for a press that came before it, and ticks a press came after but the timer would bring later run just
// before it. Strict, it also refuses a press that comes later than kTimerLatenessMs after its next tick was
// due, which a running timer would have brought before it. A record of the first replay format, which kept no
// times, has each press come as soon as its tick has.

#include "core/uGameModel.h"
#include "core/uTickSchedule.h"

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>

class tReplayCursor {
public:
    // Strict, the cursor stops at the first step no real play could have come to, and Problem() says why.
    tReplayCursor(tGameModel& game, const tGameRecord& record, bool strict = false);

    // Starts the recorded game.
    tChanges Start();
    // Runs every step due by timeMs, free falls of several ticks in one step where no press comes between.
    tChanges AdvanceTo(int64_t timeMs);
    tChanges RunToEnd() { return AdvanceTo(std::numeric_limits<int64_t>::max()); }
    // The game is over, or the record has no tick or press left.
    bool Done() const { return done_; }
    // The time of the step run last.
    int64_t Time() const { return time_; }
    // When the next step falls due, for a viewer to wake then; past the end, the largest time there is.
    int64_t NextTime() const;
    // Empty unless a strict cursor met a step the real game cannot take.
    const std::string& Problem() const { return problem_; }

private:
    // Runs the next step when it is due by limit.
    bool Step(int64_t limit, tChanges& changes);
    bool PressStep(const tRecordedPress& press, int64_t limit, tChanges& changes);
    bool TickStep(const tRecordedPress* press, int64_t limit, tChanges& changes);
    int64_t PressTime(const tRecordedPress& press) const { return record_.Timed ? press.TimeMs : time_; }
    void Refuse(std::string problem);

    tGameModel& game_;
    const tGameRecord& record_;
    bool strict_;
    tTickSchedule schedule_;
    size_t next_ = 0;
    int64_t time_ = 0;
    int64_t dropEnd_ = 0;
    bool done_ = false;
    std::string problem_;
};
