// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/uPressPace.h"

#include <cstdio>

tPressPace::tPressPace() {
    last_.fill(kLongAgo);
    taps_.fill(kLongAgo);
}

std::string tPressPace::Breaks(tActionSet actions, int64_t timeMs) const {
    if (timeMs - last_[actions] < kFastestRepeatMs) {
        return "comes within " + std::to_string(kFastestRepeatMs) +
               " ms of the last press of the same keys, faster than any key repeats";
    }
    if ((actions & ActionBit(tAction::Drop)) != 0 && timeMs - lastDrop_ < kDropPauseMs) {
        return "drops within " + std::to_string(kDropPauseMs) +
               " ms of the last drop, inside the drop's pause";
    }
    if (actions != lastActions_ && timeMs - taps_[nextTap_] < 1000) {
        return "is a tap of other keys than the press before, more than the " +
               std::to_string(kMostTapsPerSecond) + " taps a second a person's fingers make";
    }
    return {};
}

void tPressPace::Take(tActionSet actions, int64_t timeMs) {
    last_[actions] = timeMs;
    if ((actions & ActionBit(tAction::Drop)) != 0) {
        lastDrop_ = timeMs;
    }
    if (actions != lastActions_) {
        taps_[nextTap_] = timeMs;
        nextTap_ = (nextTap_ + 1) % taps_.size();
        lastActions_ = actions;
    }
}

std::optional<tPaceBreak> FirstPaceBreak(const tGameRecord& record) {
    if (!record.Timed) {
        return std::nullopt;
    }
    // The timer's next tick is due at most an interval after the last press, or after its drop's pause: the
    // intervals only shorten as the levels rise.
    const int64_t longestGap =
        IntervalAt(record.Settings.Difficulty, record.Settings.StartLevel) + kDropPauseMs + kTimerLatenessMs;
    tPressPace pace;
    int64_t lastTick = 0;
    int64_t lastTime = 0;
    for (size_t i = 0; i < record.Presses.size(); ++i) {
        const tRecordedPress& press = record.Presses[i];
        if (std::string bound = pace.Breaks(press.Actions, press.TimeMs); !bound.empty()) {
            return tPaceBreak{i + 1, press.TimeMs, std::move(bound)};
        }
        if (press.Tick == lastTick && press.TimeMs - lastTime > longestGap) {
            return tPaceBreak{
                i + 1, press.TimeMs,
                "comes " + MomentText(press.TimeMs - lastTime) +
                    " after the last press with no tick between, where the timer ticks at least every " +
                    std::to_string(longestGap - kDropPauseMs - kTimerLatenessMs) + " ms"};
        }
        pace.Take(press.Actions, press.TimeMs);
        lastTick = press.Tick;
        lastTime = press.TimeMs;
    }
    return std::nullopt;
}

std::string MomentText(int64_t timeMs) {
    char moment[64];
    std::snprintf(moment, sizeof moment, "%lld:%02lld.%03lld", static_cast<long long>(timeMs / 60000),
                  static_cast<long long>(timeMs / 1000 % 60), static_cast<long long>(timeMs % 1000));
    return moment;
}

std::string PressMoment(size_t press, int64_t timeMs) {
    return "key press " + std::to_string(press) + ", at " + MomentText(timeMs) + " of play,";
}
