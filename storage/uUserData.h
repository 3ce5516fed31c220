// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A player's options as users.dat holds them: one section per player, 19 keys declared once below; loading
// and saving both walk that table.

#include "core/uRules.h"
#include "storage/uPackIni.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

enum class tUserValue { Text, Integer, Flag };

struct tUserKey {
    std::string_view key;
    tUserValue kind;
    std::string_view def;
};

// In the order they are written.
enum tUserOption {
    uoGameMode,
    uoDifficult,
    uoStartLevel,
    uoBrokenLines,
    uoAutoPause,
    uoFullScreen,
    uoSounds,
    uoShowFix,
    uoShadow,
    uoAutoSave,
    uoKey1,
    uoKey7 = uoKey1 + 6,
    uoSkin,
    uoLanguage,
    kUserOptions
};

inline constexpr std::array<tUserKey, kUserOptions> kUserKeys{{
    {"GameMode", tUserValue::Text, kGameTypes[0].Name},
    {"Difficult", tUserValue::Text, kDifficulties[0].Name},
    {"StartLevel", tUserValue::Integer, "1"},
    {"BrokenLines", tUserValue::Integer, "0"},
    {"AutoPause", tUserValue::Flag, "1"},
    {"FullScreen", tUserValue::Flag, "0"},
    {"Sounds", tUserValue::Flag, "1"},
    {"ShowFix", tUserValue::Flag, "1"},
    {"Shadow", tUserValue::Flag, "0"},
    {"AutoSave", tUserValue::Flag, "1"},
    {kActions[0].Name, tUserValue::Text, kActions[0].DefaultKeyName},
    {kActions[1].Name, tUserValue::Text, kActions[1].DefaultKeyName},
    {kActions[2].Name, tUserValue::Text, kActions[2].DefaultKeyName},
    {kActions[3].Name, tUserValue::Text, kActions[3].DefaultKeyName},
    {kActions[4].Name, tUserValue::Text, kActions[4].DefaultKeyName},
    {kActions[5].Name, tUserValue::Text, kActions[5].DefaultKeyName},
    {kActions[6].Name, tUserValue::Text, kActions[6].DefaultKeyName},
    {"Skin", tUserValue::Text, "(Default)"},
    {"Language", tUserValue::Text, "(Default)"},
}};

// Every value as text: integers in decimal, flags "1" or "0".
using tUserOptions = std::array<std::string, kUserOptions>;

tUserOptions DefaultUserOptions();
int UserInteger(const tUserOptions& options, tUserOption option);
bool UserFlag(const tUserOptions& options, tUserOption option);

// The player's section with the defaults for what is absent; integers that do not read give their default,
// flags are any integer, non-zero meaning on.
tUserOptions ReadUserOptions(const tStringListINI& file, std::string_view player);
// Writes the 19 keys in table order; other sections and other keys stay as they are.
void WriteUserOptions(tStringListINI& file, std::string_view player, const tUserOptions& options);

// What reading users.dat gave. A damaged file is copied aside and removed, so the next save starts a clean
// file, and the document is empty; when no copy could be made the file stays and may not be saved over.
// damage says what the player must be told, when its tell is set.
struct tUsersFile {
    tStringListPackedINI ini;
    bool writable = true;
    tDamagedFile damage;
};
tUsersFile ReadUsersFile(const std::string& path);

// A name can be a section of users.dat: not empty, no line break or NUL, no bracket that would end the
// section line early.
bool ValidUserName(std::string_view name);
