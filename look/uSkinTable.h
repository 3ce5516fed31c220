// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every colour and bitmap key of skin.ini, declared once: the built-in skin, the reading of a skin and the
// art generator all walk these tables.

#include "look/uSkinSettings.h"

#include <cstdint>
#include <span>

struct tSkinColorRow {
    const char* section;
    const char* key;
    uint32_t& (*field)(tSkinSettings&);
    // The value taken when the key is missing from a skin.ini: the field read before it named here, or the
    // constant when there is none.
    uint32_t& (*missingFrom)(tSkinSettings&);
    uint32_t missing;
    // HiScore clrLBorder only serves the reading of a file; the built-in skin leaves it alone.
    bool builtIn;
};

struct tSkinBitmapRow {
    const char* section;
    const char* key;
    tBitmap& (*field)(tSkinSettings&);
    // The size the file must have; with the key column its first column only names the transparent colour.
    int width;
    int height;
    bool keyColumn;
    // The built-in bitmap, null when the built-in skin has none of its own.
    const char* resource;
    // The built-in picture is drawn with pure red as its transparent colour.
    bool redKey;
};

// In the order a skin.ini is read.
std::span<const tSkinColorRow> SkinColorRows();
// In the order a skin.ini is read: the five block images, the well background, then the rest.
std::span<const tSkinBitmapRow> SkinBitmapRows();
inline constexpr size_t kSkinBlockRows = 5;
// The picture around the well, read apart from the others.
const tSkinBitmapRow& SkinBackgroundRow();
