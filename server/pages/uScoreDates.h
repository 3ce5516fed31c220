// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The dates the pages and the JSON show.

#include <QString>

#include <string_view>

// The start time "dd.mm.yy hh:nn:ss" as "yyyy-mm-dd hh:nn:ss". The year is read by StartTimeMs, which ranks
// results, so 00 to 69 are 2000 to 2069 and 70 to 99 are 1970 to 1999 here as there. A text that names no
// real time is shown as it is.
QString DateText(std::string_view startTime);
