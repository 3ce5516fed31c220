// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the local date and time of the game's start come from: the program installs the system's clock, a
// test a moment of its own. A game's start time names it, and its figures follow from it.

#include <QDateTime>

#include <functional>

using tLocalClock = std::function<QDateTime()>;
// Returns the clock it replaces. Without one the time stands at the start of the year 2000.
tLocalClock SetLocalClock(tLocalClock clock);
QDateTime LocalNow();
