#pragma once
// The four built-in sounds: "Drop", "Lines", "Error" and "Login".

#include <functional>
#include <string>
#include <string_view>

// Plays the named built-in sound (the name in any letter case) unless `enabled` is false. Returns at once; a
// new sound cuts off the one playing. An unknown name or a machine without sound output plays nothing.
void PlayResourceSound(std::string_view name, bool enabled);

// Tests replace the player with a recorder of the names asked for; an empty hook restores the player.
// Returns the hook it replaces.
using tSoundHook = std::function<void(const std::string& name)>;
tSoundHook SetSoundHook(tSoundHook hook);
