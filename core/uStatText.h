// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How the statistics write their values: play time, rates per minute and the clears lines.

#include <array>
#include <string>

// " [" + count per minute with one decimal + "/m]"; a play time of exactly 0 gives " [0,0/m]".
std::string RateText(int count, double playTime, char decimalSeparator);
// Whole minutes (never wrapped into hours), ":", two-digit seconds.
std::string TimeText(double playTime);
// "x1: n [rate/m]" ... "x4: ...", joined by LF CR.
std::string ClearsText(const std::array<int, 4>& clears, double playTime, char decimalSeparator);
// The same into `text`, in the memory it has: the statistics write it at every tick.
void WriteClearsText(std::string& text, const std::array<int, 4>& clears, double playTime,
                     char decimalSeparator);
