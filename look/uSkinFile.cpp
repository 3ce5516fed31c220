// SPDX-License-Identifier: GPL-3.0-or-later
#include "look/uSkinFile.h"

#include "look/uFolderScan.h"
#include "look/uLang.h"
#include "look/uSkinBitmap.h"
#include "look/uSkinSettings.h"
#include "look/uSkinTable.h"
#include "platform/uBuild.h"
#include "platform/uCodePage.h"
#include "platform/uMessage.h"

#include <QFile>
#include <algorithm>

namespace {

constexpr int kOldestBuild = 61;

// Negative values name the system colours of another window toolkit and a top byte other than 0 a palette
// entry; neither exists here, so such a value counts as missing.
uint32_t ReadSkinColor(const tStringListINI& file, const tSkinColorRow& row, uint32_t missing) {
    const int32_t value = file.ReadInteger(row.section, row.key, -1);
    return value >= 0 && value <= 0xFFFFFF ? static_cast<uint32_t>(value) : missing;
}

// Skins made on Windows may name files in subfolders with backslashes.
std::string FileOfValue(const std::string& folder, std::string value) {
    std::replace(value.begin(), value.end(), '\\', '/');
    return folder + QFile::encodeName(FromCodePage(value)).toStdString();
}

} // namespace

bool LoadSkinBitmap(const std::string& folder, const tStringListINI& file, tBitmap& target,
                    std::string_view section, std::string_view key, int width, int height, bool keyColumn) {
    const std::string value = file.ReadString(section, key, "");
    if (value.empty()) {
        return false;
    }
    const auto image = ReadBmpOfSize(FileOfValue(folder, value), width, height);
    if (!image) {
        return false;
    }
    if (keyColumn) {
        target.image = image->copy(1, 0, width - 1, height);
        target.transparentColor = image->pixel(0, 0);
        target.transparent = true;
    } else {
        target.image = *image;
        target.transparent = false;
    }
    return true;
}

void LoadSkinBackground(const std::string& folder, const tStringListINI& file) {
    const tSkinBitmapRow& row = SkinBackgroundRow();
    tBitmap picture;
    if (!LoadSkinBitmap(folder, file, picture, row.section, row.key, row.width, row.height, row.keyColumn)) {
        picture = tBitmap{};
    }
    row.field(SkinSettings) = picture;
    RunSkinBackgroundTargets();
}

void LoadSkinFile(const std::string& folder) {
    tStringListINI file;
    file.LoadFromFile(folder + "skin.ini", kMaxLookFileBytes);
    const int32_t build = file.ReadInteger("General", "Build", 0);
    if (build < kOldestBuild) {
        ShowMessageBox(LangText("s0004"));
    } else if (build > kProgramBuild) {
        ShowMessageBox(LangText("s0005"));
    }
    for (const tSkinColorRow& row : SkinColorRows()) {
        const uint32_t missing = row.missingFrom ? row.missingFrom(SkinSettings) : row.missing;
        row.field(SkinSettings) = ReadSkinColor(file, row, missing);
    }
    const auto bitmaps = SkinBitmapRows();
    for (size_t i = 0; i < bitmaps.size(); ++i) {
        if (i == kSkinBlockRows) {
            // The well background is tiled from the empty-cell image the skin gave, before the skin's own
            // well background may replace it.
            FillWellBackground();
        }
        const tSkinBitmapRow& row = bitmaps[i];
        LoadSkinBitmap(folder, file, row.field(SkinSettings), row.section, row.key, row.width, row.height,
                       row.keyColumn);
    }
    SkinSettings.Author = file.ReadString("General", "Author", "");
    SkinSettings.Version = file.ReadString("General", "Version", "");
    SkinSettings.EMail = file.ReadString("General", "EMail", "");
    SkinSettings.Comment = file.ReadString("General", "Comment", "");
    LoadSkinBackground(folder, file);
    file.Clear();
    ApplySkin();
}
