// SPDX-License-Identifier: GPL-3.0-or-later
#include "server/pages/uScoreDates.h"

#include "storage/uHSEntry.h"

#include <chrono>

QString DateText(std::string_view startTime) {
    using namespace std::chrono;
    const std::optional<int64_t> ms = StartTimeMs(startTime);
    if (!ms) {
        return QString::fromLatin1(startTime.data(), static_cast<qsizetype>(startTime.size()));
    }
    const sys_time<milliseconds> when{milliseconds{*ms}};
    const sys_days day = floor<days>(when);
    const year_month_day date{day};
    const hh_mm_ss time{floor<seconds>(when - day)};
    return QString::asprintf("%04d-%02u-%02u %02d:%02d:%02d", static_cast<int>(date.year()),
                             static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                             static_cast<int>(time.hours().count()), static_cast<int>(time.minutes().count()),
                             static_cast<int>(time.seconds().count()));
}
