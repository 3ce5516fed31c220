// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whether key presses come no faster than a real player's can: the game takes a press only within these
// bounds, and a replay whose presses break one was not played on it. The bounds are the rules table's:
// presses of the same actions at least kFastestRepeatMs apart, at most kMostTapsPerSecond taps (presses of
// other actions than the press before) in any second, and presses that drop at least kDropPauseMs apart.

#include "core/uGameRecord.h"
#include "core/uRules.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

class tPressPace {
public:
    tPressPace();
    // The bound a press of these actions at timeMs would break after the presses taken so far, as a phrase
    // ("comes within 10 ms of the same keys' last press, faster than any key repeats"); empty when it keeps
    // to them. Presses come in the order of their times.
    std::string Breaks(tActionSet actions, int64_t timeMs) const;
    void Take(tActionSet actions, int64_t timeMs);

private:
    static constexpr int64_t kLongAgo = INT64_MIN / 2;
    // By action set, the time of its last press.
    std::array<int64_t, size_t{1} << kActionCount> last_;
    int64_t lastDrop_ = kLongAgo;
    // The times of the last kMostTapsPerSecond taps, the oldest at nextTap_.
    std::array<int64_t, kMostTapsPerSecond> taps_;
    size_t nextTap_ = 0;
    int lastActions_ = -1;
};

struct tPaceBreak {
    // Counted from 1, as a player counts.
    size_t Press = 0;
    int64_t TimeMs = 0;
    std::string Bound;
};
// The first press of a timed record that breaks a bound, or that comes longer after the press before it than
// the game's timer runs without a tick; a record without times has none to break.
std::optional<tPaceBreak> FirstPaceBreak(const tGameRecord& record);
// "1:02.345": minutes, seconds and milliseconds of play.
std::string MomentText(int64_t timeMs);
// "key press 57, at 1:02.345 of play,": how the replay checks name a press and its moment.
std::string PressMoment(size_t press, int64_t timeMs);
