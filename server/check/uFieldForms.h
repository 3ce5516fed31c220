// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The text forms of the fields of an uploaded result, as the game writes them. Each check accepts only the
// one spelling the game produces, so one result can never be stored twice under two spellings.

#include <cstdint>
#include <optional>
#include <string_view>

// Decimal digits without sign or leading zero, at most max.
std::optional<int64_t> DecimalUpTo(std::string_view text, int64_t max);
// "dd.mm.yy hh:nn:ss" naming a real date and time.
bool IsStartTimeText(std::string_view text);
// Minutes, ":" and two digits of seconds below 60: "0:00", "125:40".
bool IsPlayTimeText(std::string_view text);
// A count and its rate per minute with one decimal, point or comma: "57 [12.5/m]", "0 [0,0/m]".
bool IsCountWithRateText(std::string_view text);
// The decimal separator of a count's rate, as the player's system writes numbers: ',' or '.'; nothing for
// any other text.
std::optional<char> RateSeparatorOf(std::string_view countWithRate);

// The values of texts the checks above took: the seconds of a play time, the count before its rate.
int64_t PlayTimeSeconds(std::string_view text);
int64_t CountOf(std::string_view countWithRate);
