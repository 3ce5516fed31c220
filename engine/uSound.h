// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The four built-in sounds: "Drop", "Lines", "Error" and "Login".

#include <functional>
#include <string>
#include <string_view>

// Hands the named built-in sound (the name in any letter case) to the sound player unless `enabled` is false.
// Without a player installed nothing sounds.
void PlayResourceSound(std::string_view name, bool enabled);

// The program installs PlayOnSoundOutput when it starts; tests install a recorder of the names asked for.
// Returns the player it replaces.
using tSoundPlayer = std::function<void(const std::string& name)>;
tSoundPlayer SetSoundPlayer(tSoundPlayer player);

// The machine's sound output. Returns at once; a new sound cuts off the one playing. An unknown name or a
// machine without sound output plays nothing.
void PlayOnSoundOutput(const std::string& name);
