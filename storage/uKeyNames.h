// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The names of the keys a game action can be bound to, with their virtual-key codes. Built in as two
// parallel lists, "TKeys" (names) and "TKeysCode" (decimal codes), one entry a line.

#include "platform/uStringList.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// What a key edit shows while its action has no key.
inline constexpr std::string_view kNoKey = "(No)";

class tKeyNames {
public:
    // Entry i of one text belongs to entry i of the other; lines split as tStringList::SetText.
    void Load(std::string_view names, std::string_view codes);
    // The built-in lists.
    void LoadResource();
    void Free();

    int Count() const { return names_.Count(); }
    const std::string& Name(int index) const { return names_[index]; }
    uint16_t Code(int index) const;
    // The first entry of that name, letter case ignored; -1 when none.
    int IndexOfName(std::string_view name) const;
    // The first entry whose code text is the decimal text of code; -1 when none.
    int IndexOfCode(int code) const;
    // The code of a name, 0 when the table has no such name.
    uint16_t CodeOfName(std::string_view name) const;

private:
    tStringList names_;
    tStringList codes_;
};

// A stored key name as the key edit shows it: as written when the table knows it (any letter case), "(No)"
// otherwise.
std::string ReadKeyName(const tKeyNames& table, const std::string& stored);

// True when every one of the seven names is a key and no two are equal (exact comparison).
bool KeysValid(const std::array<std::string, 7>& names);
