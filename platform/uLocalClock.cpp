// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/uLocalClock.h"

#include <utility>

namespace {

tLocalClock& Clock() {
    static tLocalClock clock;
    return clock;
}

} // namespace

tLocalClock SetLocalClock(tLocalClock clock) {
    return std::exchange(Clock(), std::move(clock));
}

QDateTime LocalNow() {
    return Clock() ? Clock()() : QDateTime(QDate(2000, 1, 1), QTime(0, 0));
}
