// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The INI document as an ordered list of lines. Every call scans the lines again and touches only the lines
// it must, so comments, odd lines, duplicate sections and the order of everything survive a
// read-modify-write.

#include "platform/uStringList.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class tStringListINI : public tStringList {
public:
    void ReadSections(tStringList& target) const;
    std::string ReadString(std::string_view section, std::string_view key, std::string_view def) const;
    int32_t ReadInteger(std::string_view section, std::string_view key, int32_t def) const;
    bool ReadBool(std::string_view section, std::string_view key, bool def) const;
    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view key, int32_t value);
    void WriteBool(std::string_view section, std::string_view key, bool value);
    void DeleteKey(std::string_view section, std::string_view key);
    void ReadSection(std::string_view section, tStringList& target) const;
    void RenameSection(std::string_view oldName, std::string_view newName);
    // Moves the section's lines, every part of it where it comes more than once, after all others, in their
    // order: what it holds and reads as stays the same.
    void MoveSectionToEnd(std::string_view section);

private:
    int FindSection(std::string_view section) const;
};

// At least two characters, "[" first and "]" last; nothing is trimmed.
bool IsSectionHeader(std::string_view line);

// The integer form of settings values: leading blanks, an optional sign, then decimal digits, or hexadecimal
// digits after "$", "x", "X", "0x" or "0X". Anything else, or a value outside 32 bits signed, gives nothing.
std::optional<int32_t> ParseInteger(std::string_view text);
