// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Skins by name: the skin list, finding a skin's folder, and applying the built-in skin or a folder's.

#include "look/uChoiceList.h"
#include "look/uSkinSettings.h"
#include "platform/uSubscription.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

// What the skin combo box shows: "(Default)" and the skin folders found at start-up.
extern tChoiceList SkinList;

inline constexpr std::string_view kDefaultSkin = "(Default)";

// Fills SkinList from the folder "skin": "(Default)" first, then the skin folders; selects the first.
void ScanSkins();
// Sets the built-in skin (colours, the program's own bitmaps, no background around the well) and applies it.
void LoadDefaultSkin();
// The folder path of a skin, ending in "/", empty for "(Default)". A skin whose skin.ini has gone leaves the
// list, the player is told (s0006), and the name becomes "(Default)".
std::string ResolveSkin(std::string& name);
// Applies a skin by name: the built-in one, a folder, or the built-in one again when the folder is gone.
void SelectSkin(const std::string& name);
// The change handling of the skin list: after the player picked an entry.
void cbSkinChange();
// "Default skin", or the author, version, e-mail and comment lines of the skin read last.
QString SkinHint(std::string_view name);
// Run after the skin list's change handling applied a skin (the options page shows itself again).
[[nodiscard]] tSubscription AddSkinListTarget(tSkinTarget target);
