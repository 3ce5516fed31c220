// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/uStatText.h"

#include <charconv>
#include <cmath>
#include <cstdio>

std::string RateText(int count, double playTime, char decimalSeparator) {
    if (playTime == 0.0) {
        return " [0,0/m]";
    }
    char digits[64];
    // Halves round away from zero, so a rate of 0.25 reads 0.3. Written without the C library's locale, which
    // the application sets from the environment: the separator is ours to choose.
    const double rounded = std::round(count / playTime * 60.0 * 10.0) / 10.0;
    const auto written = std::to_chars(digits, digits + sizeof digits, rounded, std::chars_format::fixed, 1);
    std::string rate(digits, written.ec == std::errc{} ? written.ptr : digits);
    const auto point = rate.find('.');
    if (point != std::string::npos) {
        rate[point] = decimalSeparator;
    }
    return " [" + rate + "/m]";
}

std::string TimeText(double playTime) {
    const auto seconds = static_cast<long long>(std::floor(playTime));
    char text[48];
    std::snprintf(text, sizeof text, "%lld:%02lld", seconds / 60, seconds % 60);
    return text;
}

std::string ClearsText(const std::array<int, 4>& clears, double playTime, char decimalSeparator) {
    std::string text;
    WriteClearsText(text, clears, playTime, decimalSeparator);
    return text;
}

void WriteClearsText(std::string& text, const std::array<int, 4>& clears, double playTime,
                     char decimalSeparator) {
    text.clear();
    for (int k = 1; k <= 4; ++k) {
        if (k > 1) {
            text += "\n\r";
        }
        const int n = clears[static_cast<size_t>(k - 1)];
        text += 'x';
        text += static_cast<char>('0' + k);
        text += ": ";
        text += std::to_string(n);
        text += RateText(n, playTime, decimalSeparator);
    }
}
