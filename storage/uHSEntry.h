// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One high score entry and its form in hscore.dat: the ten keys of a slot (the result's fields and the
// checksum that guards them), and the order in which entries rank. No widgets: the game and stakkar-data both
// read the file through this unit, so they always agree on what a valid entry is.

#include "core/uResultRecord.h"
#include "storage/uSLIni.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// One row of a high score table: a result and the key group of hscore.dat it belongs to.
struct tHS : tResultRecord {
    int32_t Slot = 0;
};

// Entries per table, and key groups per section.
inline constexpr int kHSSlots = 15;

// "Standart" and "Normal" give "Standart_Normal".
std::string HSSectionName(std::string_view gameType, std::string_view difficulty);

// The empty entry of a slot: what a slot without any key reads as, and what replaces an entry that fails its
// check.
tHS PlaceholderHS(int32_t slot);
// Whether an entry is that empty entry: no game was ever played into its slot.
bool IsPlaceholderHS(const tHS& entry);

// The ten values of one key group exactly as they stand in the file, missing keys taking their defaults.
struct tHSStored {
    int32_t Slot = 0;
    bool AnyKey = false;
    tResultValues Values;
    std::string Crc32;
};

enum class tHSCheck { Valid, Mismatch, NotANumber };

// The text the checksum covers: the section name, then the nine values with no separators.
std::string HSEntryText(std::string_view section, const tHSStored& stored);
// The checksum as it is stored: unsigned decimal text.
std::string HSChecksum(std::string_view section, const tHSStored& stored);
// The stored form of an entry: Level and Score in decimal, the checksum computed over the values.
tHSStored StoredForm(std::string_view section, const tHS& entry);

// Valid only when the stored checksum equals the computed one character for character and Level and Score
// are integers; a checksum can be forged, a number that is not one must still not end the load.
tHSCheck CheckStored(std::string_view section, const tHSStored& stored);
// The entry a slot stands for: its values when valid, otherwise the placeholder of its slot.
tHS EntryOf(std::string_view section, const tHSStored& stored);

// The fifteen key groups of a section, slot 1 first. Reads the section once, not once per key.
std::array<tHSStored, kHSSlots> ReadHSSection(const tStringListINI& doc, std::string_view section);
// Writes the ten keys of a slot in their order: the result's fields, then Crc32.
void WriteHSSlot(tStringListINI& doc, std::string_view section, const tHSStored& stored);

// A start time "dd.mm.yy hh:nn:ss" in milliseconds. Two-digit years 00 to 69 are 2000 to 2069 and 70 to 99
// are 1970 to 1999: the game was first played in 2004, so every year it can have written reads as the year
// it was, and a pivot fixed here rather than moved with today's date keeps the order of stored results from
// changing as time goes by. Every date the game or the score server shows is read through this function, so
// a shown date and a result's rank always agree. Nothing when the text is not a real date and time (the
// placeholder "00.00.00 00:00:00" is not).
std::optional<int64_t> StartTimeMs(std::string_view text);
// x started at least one millisecond after y; a start time that cannot be read is the earliest of all.
bool StartedLater(const tHS& x, const tHS& y);
// Higher score first, then the lower level, then the earlier start.
bool RanksAbove(const tHS& a, const tHS& b);
// Selection sort into rank order; among full ties each pass keeps the first one met, as stored tables
// always have been ordered.
void SortRecords(std::span<tHS> entries);
