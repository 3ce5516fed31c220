// SPDX-License-Identifier: GPL-3.0-or-later
#include "look/uSkin.h"

#include "look/uFolderScan.h"
#include "look/uLang.h"
#include "look/uSkinFile.h"
#include "look/uSkinTable.h"
#include "platform/uBaseDir.h"
#include "platform/uCodePage.h"
#include "platform/uMessage.h"
#include "platform/uResource.h"
#include "platform/uTargets.h"

tChoiceList SkinList;

namespace {

void RefreshSkinHint() {
    SkinList.SetHint(SkinHint(SkinList.Text()));
}

// The skin list's hint speaks of the skin read last, in the language loaded now.
const tSubscription hintFollowsSkin = AddSkinTarget(RefreshSkinHint);
const tSubscription hintFollowsLanguage = AddLanguageTarget(RefreshSkinHint);

constexpr QRgb kPureRed = 0xFFFF0000u;

tTargetList& ListTargets() {
    static tTargetList targets;
    return targets;
}

tBitmap ResourceBitmap(const tSkinBitmapRow& row) {
    tBitmap bitmap;
    bitmap.image = LoadResourceBitmap(row.resource).convertToFormat(QImage::Format_RGB32);
    bitmap.transparent = row.redKey;
    bitmap.transparentColor = row.redKey ? kPureRed : 0;
    return bitmap;
}

} // namespace

void ScanSkins() {
    SkinList.Clear();
    SkinList.Add(std::string(kDefaultSkin));
    for (auto& name : ListSkinNames(SearchPath("skin"))) {
        SkinList.Add(std::move(name));
    }
    SkinList.SetItemIndex(0);
}

void LoadDefaultSkin() {
    // The member initialisers of the record are the built-in colours.
    static tSkinSettings builtIn;
    for (const tSkinColorRow& row : SkinColorRows()) {
        if (row.builtIn) {
            row.field(SkinSettings) = row.field(builtIn);
        }
    }
    for (const tSkinBitmapRow& row : SkinBitmapRows()) {
        if (row.resource) {
            row.field(SkinSettings) = ResourceBitmap(row);
        }
    }
    FillWellBackground();
    SkinSettings.Panel_Game.btmBG = tBitmap{};
    RunSkinBackgroundTargets();
    ApplySkin();
}

std::string ResolveSkin(std::string& name) {
    if (name == kDefaultSkin) {
        return {};
    }
    static constexpr std::string_view kIni = "skin.ini";
    const std::string ini = ResolveChoice(SkinList, name, [](std::string_view n) {
        return FindOnPath(SearchPath("skin"), n, "/" + std::string(kIni));
    });
    if (!ini.empty()) {
        return ini.substr(0, ini.size() - kIni.size());
    }
    ShowMessageBox(LangText("s0006"));
    name = kDefaultSkin;
    return {};
}

void SelectSkin(const std::string& requested) {
    std::string name = requested;
    const std::string folder = ResolveSkin(name);
    SkinList.SelectName(name);
    if (folder.empty() && requested != kDefaultSkin) {
        cbSkinChange();
        // When "(Default)" was already the name applied last the handler did nothing, and the hint still
        // describes the skin that has just left the list.
        SkinList.SetHint(SkinHint(SkinList.Text()));
    } else if (name != kDefaultSkin) {
        LoadSkinFile(folder);
    } else {
        LoadDefaultSkin();
    }
}

void cbSkinChange() {
    if (SkinList.Change(LoadDefaultSkin, SelectSkin)) {
        ListTargets().Run();
    }
}

QString SkinHint(std::string_view name) {
    if (name == kDefaultSkin) {
        return "Default skin";
    }
    return LabelForm(LangText("s2303")) + FromCodePage(SkinSettings.Author) + "\r\n" +
           LabelForm(LangText("s2304")) + FromCodePage(SkinSettings.Version) + "\r\n" +
           LabelForm(LangText("s2305")) + FromCodePage(SkinSettings.EMail) + "\r\n" +
           LabelForm(LangText("s2306")) + FromCodePage(SkinSettings.Comment);
}

tSubscription AddSkinListTarget(tSkinTarget target) {
    return ListTargets().Add(std::move(target));
}
