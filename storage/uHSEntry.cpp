// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/uHSEntry.h"

#include "storage/uCRC32.h"

#include <chrono>
#include <limits>
#include <unordered_map>
#include <vector>

namespace {

constexpr std::string_view kDefaultName = "Unknown";
constexpr std::string_view kDefaultLevel = "0";
constexpr std::string_view kDefaultScore = "0";
constexpr std::string_view kDefaultStartTime = "00.00.00 00:00:00";
constexpr std::string_view kDefaultPlayTime = "0:00";
constexpr std::string_view kDefaultStartLevel = "1";
constexpr std::string_view kDefaultBrokenLines = "0";
constexpr std::string_view kDefaultFigures = "0 [0,0/m]";
constexpr std::string_view kDefaultCleared = "0 [0,0/m]";

// The ten fields of a key group in the order they are written; one table for reading and writing.
struct tHSField {
    std::string_view key;
    std::string tHSStored::*value;
};
constexpr std::array<tHSField, 10> kFields{{
    {"Name", &tHSStored::Name},
    {"Level", &tHSStored::Level},
    {"Score", &tHSStored::Score},
    {"StartTime", &tHSStored::StartTime},
    {"PlayTime", &tHSStored::PlayTime},
    {"StartLevel", &tHSStored::StartLevel},
    {"BrokenLines", &tHSStored::BrokenLines},
    {"Figures", &tHSStored::Figures},
    {"Cleared", &tHSStored::Cleared},
    {"Crc32", &tHSStored::Crc32},
}};

// The values a slot without any key reads as; no checksum yet.
tHSStored DefaultValues(int32_t slot) {
    tHSStored s;
    s.Slot = slot;
    s.Name = kDefaultName;
    s.Level = kDefaultLevel;
    s.Score = kDefaultScore;
    s.StartTime = kDefaultStartTime;
    s.PlayTime = kDefaultPlayTime;
    s.StartLevel = kDefaultStartLevel;
    s.BrokenLines = kDefaultBrokenLines;
    s.Figures = kDefaultFigures;
    s.Cleared = kDefaultCleared;
    return s;
}

tHSStored DefaultStored(std::string_view section, int32_t slot) {
    tHSStored s = DefaultValues(slot);
    s.Crc32 = HSChecksum(section, s);
    return s;
}

// The entry stored values stand for; Level and Score that are no numbers read as 0.
tHS ValuesOf(const tHSStored& s) {
    tHS e;
    e.Name = s.Name;
    e.Level = ParseInteger(s.Level).value_or(0);
    e.Score = ParseInteger(s.Score).value_or(0);
    e.Slot = s.Slot;
    e.StartTime = s.StartTime;
    e.PlayTime = s.PlayTime;
    e.StartLevel = s.StartLevel;
    e.BrokenLines = s.BrokenLines;
    e.Figures = s.Figures;
    e.Cleared = s.Cleared;
    return e;
}

// Reads one run of digits; false when there is none or it is longer than maxDigits.
bool ReadNumber(std::string_view text, size_t& i, int maxDigits, int& value) {
    const size_t start = i;
    value = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9' &&
           i - start < static_cast<size_t>(maxDigits)) {
        value = value * 10 + (text[i] - '0');
        ++i;
    }
    return i > start && (i >= text.size() || text[i] < '0' || text[i] > '9');
}

bool Expect(std::string_view text, size_t& i, char c) {
    if (i < text.size() && text[i] == c) {
        ++i;
        return true;
    }
    return false;
}

int64_t TimeOrEarliest(const tHS& e) {
    return StartTimeMs(e.StartTime).value_or(std::numeric_limits<int64_t>::min());
}

} // namespace

std::string HSSectionName(std::string_view gameType, std::string_view difficulty) {
    std::string s(gameType);
    s += '_';
    s += difficulty;
    return s;
}

tHS PlaceholderHS(int32_t slot) {
    return ValuesOf(DefaultValues(slot));
}

std::string HSEntryText(std::string_view section, const tHSStored& s) {
    std::string text(section);
    for (const auto& field : kFields) {
        if (field.value != &tHSStored::Crc32) {
            text += s.*field.value;
        }
    }
    return text;
}

std::string HSChecksum(std::string_view section, const tHSStored& stored) {
    return std::to_string(TextCrc32(HSEntryText(section, stored)));
}

tHSStored StoredForm(std::string_view section, const tHS& e) {
    tHSStored s;
    s.Slot = e.Slot;
    s.AnyKey = true;
    s.Name = e.Name;
    s.Level = std::to_string(e.Level);
    s.Score = std::to_string(e.Score);
    s.StartTime = e.StartTime;
    s.PlayTime = e.PlayTime;
    s.StartLevel = e.StartLevel;
    s.BrokenLines = e.BrokenLines;
    s.Figures = e.Figures;
    s.Cleared = e.Cleared;
    s.Crc32 = HSChecksum(section, s);
    return s;
}

tHSCheck CheckStored(std::string_view section, const tHSStored& stored) {
    if (stored.Crc32 != HSChecksum(section, stored)) {
        return tHSCheck::Mismatch;
    }
    if (!ParseInteger(stored.Level) || !ParseInteger(stored.Score)) {
        return tHSCheck::NotANumber;
    }
    return tHSCheck::Valid;
}

tHS EntryOf(std::string_view section, const tHSStored& s) {
    if (CheckStored(section, s) != tHSCheck::Valid) {
        return PlaceholderHS(s.Slot);
    }
    return ValuesOf(s);
}

std::array<tHSStored, kHSSlots> ReadHSSection(const tStringListINI& doc, std::string_view section) {
    tStringList lines;
    doc.ReadSection(section, lines);
    // The first line of a key wins, as a single key look-up finds it.
    std::unordered_map<std::string_view, std::string_view> values;
    for (int i = 1; i < lines.Count(); ++i) {
        const std::string_view line = lines[i];
        const size_t eq = line.find('=');
        if (eq != std::string_view::npos && eq > 0) {
            values.try_emplace(line.substr(0, eq), line.substr(eq + 1));
        }
    }
    std::array<tHSStored, kHSSlots> slots;
    for (int32_t n = 1; n <= kHSSlots; ++n) {
        tHSStored& s = slots[static_cast<size_t>(n - 1)];
        s = DefaultStored(section, n);
        const std::string prefix = std::to_string(n);
        for (const auto& field : kFields) {
            const auto it = values.find(prefix + std::string(field.key));
            if (it != values.end()) {
                s.*field.value = it->second;
                s.AnyKey = true;
            }
        }
    }
    return slots;
}

void WriteHSSlot(tStringListINI& doc, std::string_view section, const tHSStored& stored) {
    const std::string prefix = std::to_string(stored.Slot);
    for (const auto& field : kFields) {
        doc.WriteString(section, prefix + std::string(field.key), stored.*field.value);
    }
}

std::optional<int64_t> StartTimeMs(std::string_view text) {
    using namespace std::chrono;
    size_t i = 0;
    int day = 0, month = 0, year = 0, hours = 0, minutes = 0, seconds = 0;
    if (!ReadNumber(text, i, 2, day) || !Expect(text, i, '.') || !ReadNumber(text, i, 2, month) ||
        !Expect(text, i, '.')) {
        return std::nullopt;
    }
    const size_t yearStart = i;
    if (!ReadNumber(text, i, 4, year) || (i - yearStart != 2 && i - yearStart != 4)) {
        return std::nullopt;
    }
    if (i - yearStart == 2) {
        year += 2000;
    }
    if (i < text.size()) {
        if (!Expect(text, i, ' ') || !ReadNumber(text, i, 2, hours) || !Expect(text, i, ':') ||
            !ReadNumber(text, i, 2, minutes)) {
            return std::nullopt;
        }
        if (i < text.size() && (!Expect(text, i, ':') || !ReadNumber(text, i, 2, seconds))) {
            return std::nullopt;
        }
        if (i != text.size() || hours > 23 || minutes > 59 || seconds > 59) {
            return std::nullopt;
        }
    }
    const year_month_day date{std::chrono::year{year}, std::chrono::month{static_cast<unsigned>(month)},
                              std::chrono::day{static_cast<unsigned>(day)}};
    if (!date.ok()) {
        return std::nullopt;
    }
    const auto when = sys_days{date} + std::chrono::hours{hours} + std::chrono::minutes{minutes} +
                      std::chrono::seconds{seconds};
    return duration_cast<milliseconds>(when.time_since_epoch()).count();
}

bool StartedLater(const tHS& x, const tHS& y) {
    // Times are whole milliseconds, so "at least one millisecond later" is simply "later".
    return TimeOrEarliest(x) > TimeOrEarliest(y);
}

bool RanksAbove(const tHS& a, const tHS& b) {
    if (a.Score != b.Score) {
        return a.Score > b.Score;
    }
    if (a.Level != b.Level) {
        return a.Level < b.Level;
    }
    return StartedLater(b, a);
}

void SortRecords(std::span<tHS> entries) {
    // Each start time is read once, not at every comparison; the order is RanksAbove's.
    std::vector<int64_t> times(entries.size());
    for (size_t i = 0; i < entries.size(); ++i) {
        times[i] = TimeOrEarliest(entries[i]);
    }
    const auto above = [&](size_t a, size_t b) {
        if (entries[a].Score != entries[b].Score) {
            return entries[a].Score > entries[b].Score;
        }
        if (entries[a].Level != entries[b].Level) {
            return entries[a].Level < entries[b].Level;
        }
        return times[b] > times[a];
    };
    for (size_t p = 0; p + 1 < entries.size(); ++p) {
        size_t best = p;
        for (size_t j = p + 1; j < entries.size(); ++j) {
            if (above(j, best)) {
                best = j;
            }
        }
        if (best != p) {
            std::swap(entries[p], entries[best]);
            std::swap(times[p], times[best]);
        }
    }
}
