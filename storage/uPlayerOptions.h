// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A player's options as one value: what the options page shows, the well plays with and users.dat keeps in
// the player's section, 28 keys long.

#include "core/uRules.h"
#include "storage/uSLIni.h"

#include <array>
#include <string>
#include <string_view>

// The name users.dat keeps for the built-in skin and the built-in language.
inline constexpr std::string_view kBuiltInChoice = "(Default)";

// The names of the keys a new player's options bind the seven actions to, in action order.
std::array<std::string, kActionCount> DefaultKeyNames();
// The names of the game controller buttons a new player's options bind the seven actions to, in action order.
std::array<std::string, kActionCount> DefaultButtonNames();

// Its default value is the standard options a new player starts with.
struct tPlayerOptions {
    // The names users.dat keeps: "Standart" or "Extended", "Easy" ... "Impossible".
    std::string GameType{kGameTypes[0].Name};
    std::string Difficulty{kDifficulties[0].Name};
    int StartLevel = kMinStartLevel;
    int BrokenLines = 0;
    bool AutoPause = true;
    bool FullScreen = false;
    bool Sounds = true;
    bool ShowFix = true;
    bool Shadow = false;
    bool AutoSave = true;
    // Key names, in action order.
    std::array<std::string, kActionCount> Keys = DefaultKeyNames();
    std::string Skin{kBuiltInChoice};
    std::string Language{kBuiltInChoice};
    // Game controller buttons by SDL's names, in action order; an empty name binds no button.
    std::array<std::string, kActionCount> Buttons = DefaultButtonNames();
    // The game's own repeat of a held key or button: milliseconds before the first repeat, repeats a second.
    int RepeatDelay = kDefaultRepeatDelayMs;
    int RepeatRate = kDefaultRepeatRate;

    bool operator==(const tPlayerOptions&) const = default;
};

// The player's section, the default for what is absent; integers that do not read give their default, flags
// are any integer, non-zero meaning on. Names are taken as written: the page and the key bindings fit them to
// what they offer.
tPlayerOptions ReadPlayerOptions(const tStringListINI& file, std::string_view player);
// Writes the 28 keys in their order, integers in decimal and flags as "1" or "0"; other sections and other
// keys stay as they are.
void WritePlayerOptions(tStringListINI& file, std::string_view player, const tPlayerOptions& options);
