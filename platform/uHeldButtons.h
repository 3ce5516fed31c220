// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The game controller buttons held down, each repeating as a held key does: first after a delay, then at a
// steady rate, until it is let go.

#include <chrono>
#include <map>
#include <string>
#include <utility>
#include <vector>

class tHeldButtons {
public:
    using tClock = std::chrono::steady_clock;
    // A button of one controller: the controller's instance and the button's own number (an axis's direction
    // has a number of its own).
    using tSource = std::pair<int, int>;

    tHeldButtons(std::chrono::milliseconds delay, std::chrono::milliseconds interval)
        : delay_(delay), interval_(interval) {}

    // For the presses from now on; a button held already keeps the repeat it has until its next one.
    void SetTiming(std::chrono::milliseconds delay, std::chrono::milliseconds interval) {
        delay_ = delay;
        interval_ = interval;
    }

    // False when the source was held already.
    bool Press(tSource source, std::string name, tClock::time_point now);
    // False when the source was not held.
    bool Release(tSource source);
    // Lets go every button of a controller.
    void ReleaseController(int controller);
    // The names of the held buttons whose repeat has come by now, each at most once: a late look repeats a
    // button once, as a busy keyboard does, and its next repeat is a whole interval later.
    std::vector<std::string> Due(tClock::time_point now);
    bool Empty() const { return held_.empty(); }

private:
    struct tHeld {
        std::string name;
        tClock::time_point next;
    };
    std::chrono::milliseconds delay_;
    std::chrono::milliseconds interval_;
    std::map<tSource, tHeld> held_;
};
