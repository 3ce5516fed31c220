// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/uHeldButtons.h"

#include <iterator>

bool tHeldButtons::Press(tSource source, std::string name, tClock::time_point now) {
    return held_.try_emplace(source, tHeld{std::move(name), now + delay_}).second;
}

bool tHeldButtons::Release(tSource source) {
    return held_.erase(source) > 0;
}

void tHeldButtons::ReleaseController(int controller) {
    for (auto it = held_.begin(); it != held_.end();)
        it = it->first.first == controller ? held_.erase(it) : std::next(it);
}

std::vector<std::string> tHeldButtons::Due(tClock::time_point now) {
    std::vector<std::string> due;
    for (auto& [source, held] : held_) {
        if (held.next > now)
            continue;
        due.push_back(held.name);
        held.next += interval_;
        if (held.next <= now)
            held.next = now + interval_;
    }
    return due;
}
