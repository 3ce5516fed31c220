// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/uHSEntry.h"

#include "storage/uCRC32.h"

#include <chrono>
#include <limits>
#include <unordered_map>
#include <vector>

namespace {

constexpr std::string_view kCrc32Key = "Crc32";
// Two-digit years from this one on are 1970 to 1999, those below it 2000 to 2069: see StartTimeMs.
constexpr int kFirstYearOf1900s = 70;

tHSStored DefaultStored(std::string_view section, int32_t slot) {
    tHSStored s;
    s.Slot = slot;
    s.Values = DefaultValues();
    s.Crc32 = HSChecksum(section, s);
    return s;
}

// Level and Score that are no numbers read as 0.
int32_t NumberOrZero(std::string_view text) {
    return ParseInteger(text).value_or(0);
}

tHS EntryOfValues(const tResultValues& values, int32_t slot) {
    return tHS{RecordOf(values, NumberOrZero), slot};
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
    return EntryOfValues(DefaultValues(), slot);
}

bool IsPlaceholderHS(const tHS& entry) {
    return ValuesOf(entry).Texts == DefaultValues().Texts;
}

std::string HSEntryText(std::string_view section, const tHSStored& s) {
    return std::string(section) + JoinValues(s.Values, "");
}

std::string HSChecksum(std::string_view section, const tHSStored& stored) {
    return std::to_string(TextCrc32(HSEntryText(section, stored)));
}

tHSStored StoredForm(std::string_view section, const tHS& e) {
    tHSStored s;
    s.Slot = e.Slot;
    s.AnyKey = true;
    s.Values = ValuesOf(e);
    s.Crc32 = HSChecksum(section, s);
    return s;
}

tHSCheck CheckStored(std::string_view section, const tHSStored& stored) {
    if (stored.Crc32 != HSChecksum(section, stored)) {
        return tHSCheck::Mismatch;
    }
    for (const tResultFieldSpec& f : kResultFields) {
        if (f.Form == tResultForm::Number && !ParseInteger(stored.Values[f.Field])) {
            return tHSCheck::NotANumber;
        }
    }
    return tHSCheck::Valid;
}

tHS EntryOf(std::string_view section, const tHSStored& s) {
    if (CheckStored(section, s) != tHSCheck::Valid) {
        return PlaceholderHS(s.Slot);
    }
    return EntryOfValues(s.Values, s.Slot);
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
        const auto take = [&](std::string_view key, std::string& value) {
            const auto it = values.find(prefix + std::string(key));
            if (it != values.end()) {
                value = it->second;
                s.AnyKey = true;
            }
        };
        for (const tResultFieldSpec& f : kResultFields) {
            take(f.FileKey, s.Values[f.Field]);
        }
        take(kCrc32Key, s.Crc32);
    }
    return slots;
}

void WriteHSSlot(tStringListINI& doc, std::string_view section, const tHSStored& stored) {
    const std::string prefix = std::to_string(stored.Slot);
    for (const tResultFieldSpec& f : kResultFields) {
        doc.WriteString(section, prefix + std::string(f.FileKey), stored.Values[f.Field]);
    }
    doc.WriteString(section, prefix + std::string(kCrc32Key), stored.Crc32);
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
        year += year < kFirstYearOf1900s ? 2000 : 1900;
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
