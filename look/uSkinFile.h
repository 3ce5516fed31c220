// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading a skin folder: skin/<name>/skin.ini and the BMP files it names, over the current skin record.

#include "platform/uBitmap.h"
#include "storage/uSLIni.h"

#include <string>
#include <string_view>

// Reads the skin.ini of a folder (path ending in "/") over the record, then applies the record. A skin made
// for another build is read all the same, after a message (s0004 or s0005). A skin.ini larger than
// kMaxLookFileBytes reads as empty.
void LoadSkinFile(const std::string& folder);

// Loads the bitmap a key names into target: as it is, or with the key column (columns 1.. width-1 become the
// picture, the colour of pixel (0, 0) its transparent colour). A key that is missing or empty, a file that is
// missing, unreadable or of another size than width x height leaves target as it was and gives false.
bool LoadSkinBitmap(const std::string& folder, const tStringListINI& file, tBitmap& target,
                    std::string_view section, std::string_view key, int width, int height, bool keyColumn);

// The picture around the well (Panel_Game btmBG, 585 x 460) from a skin.ini, or none; tells the background
// targets either way.
void LoadSkinBackground(const std::string& folder, const tStringListINI& file);
