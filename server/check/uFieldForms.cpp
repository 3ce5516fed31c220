// SPDX-License-Identifier: GPL-3.0-or-later
#include "server/check/uFieldForms.h"

#include "storage/uHSEntry.h"

#include <limits>

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// A run of exactly count digits at text[at].
bool DigitsAt(std::string_view text, size_t at, size_t count) {
    if (at + count > text.size()) {
        return false;
    }
    for (size_t i = at; i < at + count; ++i) {
        if (!IsDigit(text[i])) {
            return false;
        }
    }
    return true;
}

bool SplitAt(std::string_view text, std::string_view separator, std::string_view& before,
             std::string_view& after) {
    const size_t at = text.find(separator);
    if (at == std::string_view::npos) {
        return false;
    }
    before = text.substr(0, at);
    after = text.substr(at + separator.size());
    return true;
}

} // namespace

std::optional<int64_t> DecimalUpTo(std::string_view text, int64_t max) {
    // Nineteen digits could already overflow; no value the game writes comes near.
    if (text.empty() || text.size() > 18 || (text.size() > 1 && text[0] == '0')) {
        return std::nullopt;
    }
    int64_t value = 0;
    for (const char c : text) {
        if (!IsDigit(c)) {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    if (value > max) {
        return std::nullopt;
    }
    return value;
}

bool IsStartTimeText(std::string_view text) {
    constexpr std::string_view kShape = "dd.mm.yy hh:nn:ss";
    if (text.size() != kShape.size()) {
        return false;
    }
    for (size_t i = 0; i < kShape.size(); ++i) {
        const bool digitWanted = kShape[i] >= 'a' && kShape[i] <= 'z';
        if (digitWanted ? !IsDigit(text[i]) : text[i] != kShape[i]) {
            return false;
        }
    }
    return StartTimeMs(text).has_value();
}

bool IsPlayTimeText(std::string_view text) {
    std::string_view minutes, seconds;
    return SplitAt(text, ":", minutes, seconds) &&
           DecimalUpTo(minutes, std::numeric_limits<int32_t>::max()) && seconds.size() == 2 &&
           DigitsAt(seconds, 0, 2) && seconds[0] < '6';
}

bool IsCountWithRateText(std::string_view text) {
    std::string_view count, rest;
    if (!SplitAt(text, " [", count, rest) || !DecimalUpTo(count, std::numeric_limits<int32_t>::max()) ||
        rest.size() < 6 || !rest.ends_with("/m]")) {
        return false;
    }
    const std::string_view rate = rest.substr(0, rest.size() - 3);
    const size_t point = rate.size() - 2;
    return (rate[point] == '.' || rate[point] == ',') && DigitsAt(rate, point + 1, 1) &&
           DecimalUpTo(rate.substr(0, point), std::numeric_limits<int64_t>::max() / 10).has_value();
}

std::optional<char> RateSeparatorOf(std::string_view countWithRate) {
    if (!IsCountWithRateText(countWithRate)) {
        return std::nullopt;
    }
    // "[12,5/m]": the separator stands before the one decimal.
    return countWithRate[countWithRate.size() - std::string_view("0/m]").size() - 1];
}

int64_t PlayTimeSeconds(std::string_view text) {
    std::string_view minutes, seconds;
    SplitAt(text, ":", minutes, seconds);
    return DecimalUpTo(minutes, std::numeric_limits<int32_t>::max()).value_or(0) * 60 +
           DecimalUpTo(seconds.substr(seconds.starts_with('0') ? 1 : 0), 59).value_or(0);
}

int64_t CountOf(std::string_view countWithRate) {
    return DecimalUpTo(countWithRate.substr(0, countWithRate.find(' ')), std::numeric_limits<int32_t>::max())
        .value_or(0);
}
