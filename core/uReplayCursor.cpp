// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/uReplayCursor.h"

#include "core/uPressPace.h"

#include <algorithm>

tReplayCursor::tReplayCursor(tGameModel& game, const tGameRecord& record, bool strict)
    : game_(game), record_(record), strict_(strict) {}

tChanges tReplayCursor::Start() {
    const tChanges changes = game_.NewGame(record_.Settings, record_.Seed, record_.StartTime);
    schedule_.Follow(changes, game_, 0);
    return changes;
}

tChanges tReplayCursor::AdvanceTo(int64_t timeMs) {
    tChanges changes;
    while (Step(timeMs, changes)) {
    }
    return changes;
}

int64_t tReplayCursor::NextTime() const {
    if (done_ || (!game_.Playing() && !game_.DropPending())) {
        return std::numeric_limits<int64_t>::max();
    }
    if (game_.DropPending()) {
        return dropEnd_;
    }
    const tRecordedPress* press = next_ < record_.Presses.size() ? &record_.Presses[next_] : nullptr;
    if (press != nullptr && press->Tick == game_.Record().Ticks) {
        return std::max(PressTime(*press), time_);
    }
    const int64_t due = std::max(schedule_.Running() ? schedule_.Due() : time_, time_);
    return press != nullptr && record_.Timed ? std::max(std::min(due, press->TimeMs), time_) : due;
}

bool tReplayCursor::Step(int64_t limit, tChanges& changes) {
    if (done_) {
        return false;
    }
    if (game_.DropPending()) {
        if (dropEnd_ > limit) {
            return false;
        }
        time_ = dropEnd_;
        const tChanges finished = game_.FinishDrop();
        schedule_.Follow(finished, game_, time_);
        changes |= finished;
        return true;
    }
    if (!game_.Playing()) {
        done_ = true;
        return false;
    }
    const tRecordedPress* press = next_ < record_.Presses.size() ? &record_.Presses[next_] : nullptr;
    if (press != nullptr && press->Tick == game_.Record().Ticks) {
        return PressStep(*press, limit, changes);
    }
    if (game_.Record().Ticks >= record_.Ticks) {
        // The record ends with the game still going: it was given up, or cut short.
        done_ = true;
        return false;
    }
    return TickStep(press, limit, changes);
}

bool tReplayCursor::PressStep(const tRecordedPress& press, int64_t limit, tChanges& changes) {
    const int64_t at = PressTime(press);
    if (strict_ && at < time_) {
        Refuse(PressMoment(next_ + 1, at) + " comes within the drop's pause of " +
               std::to_string(kDropPauseMs) + " ms, while the game takes no key.");
        return false;
    }
    if (strict_ && schedule_.Running() && at > schedule_.Due() + kTimerLatenessMs) {
        Refuse(PressMoment(next_ + 1, at) + " comes after tick " + std::to_string(press.Tick) +
               " of its game and before the next, which was due at " + MomentText(schedule_.Due()) +
               ": the timer does not stand still in a running game.");
        return false;
    }
    if (std::max(at, time_) > limit) {
        return false;
    }
    time_ = std::max(at, time_);
    const tChanges pressed = game_.Press(press.Actions, at);
    ++next_;
    schedule_.Follow(pressed, game_, time_);
    if (pressed.DropShown) {
        dropEnd_ = time_ + kDropPauseMs;
    }
    changes |= pressed;
    return true;
}

bool tReplayCursor::TickStep(const tRecordedPress* press, int64_t limit, tChanges& changes) {
    int64_t due = std::max(schedule_.Running() ? schedule_.Due() : time_, time_);
    const bool timedPress = press != nullptr && record_.Timed;
    // The press came after ticks the timer would bring later: they run just before it.
    const bool early = timedPress && press->TimeMs < due;
    if (early) {
        if (strict_) {
            Refuse(PressMoment(next_ + 1, press->TimeMs) + " comes after tick " +
                   std::to_string(press->Tick) + " of its game, which is not due before " + MomentText(due) +
                   ".");
            return false;
        }
        due = std::max(press->TimeMs, time_);
    }
    if (due > limit) {
        return false;
    }
    const int64_t interval = game_.Interval();
    const int64_t wanted = (press != nullptr ? press->Tick : record_.Ticks) - game_.Record().Ticks;
    const int64_t rows = game_.LandingY() - game_.FigY();
    int64_t count = 1;
    if (game_.Falling() && rows > 1 && wanted > 1) {
        // Free fall: the ticks due by the limit, and by the press that waits for them, go in one step.
        const int64_t until = timedPress ? std::min(limit, press->TimeMs) : limit;
        const int64_t dueByThen = early ? wanted : (until - due) / interval + 1;
        count = std::clamp<int64_t>(dueByThen, 1, std::min(rows, wanted));
    }
    time_ = early ? due : due + (count - 1) * interval;
    const tChanges ticked = game_.Ticks(count);
    schedule_.Ticked(game_, time_);
    changes |= ticked;
    return true;
}

void tReplayCursor::Refuse(std::string problem) {
    problem_ = std::move(problem);
    done_ = true;
}
