// SPDX-License-Identifier: GPL-3.0-or-later
#include "uArtIcons.h"
#include "uArtPictures.h"

namespace {

QImage Button(const tPalette& p, const QPainterPath& icon, bool hover) {
    return DrawButton(p, icon, 31, 30, hover);
}

} // namespace

const std::vector<tPicture>& Pictures() {
    static const std::vector<tPicture> pictures{
        {"Block", 20, 20, DrawBlock, QColor(), true},
        {"BlockFree", 20, 20, DrawBlockFree, QColor(), true},
        {"BlockFix", 20, 20, DrawBlockFix, QColor(), true},
        {"BlockShadow", 20, 20, DrawBlockShadow, kPureRed, true},
        {"Arrow", 19, 18, DrawArrow, QColor(), true},
        {"Upload", 18, 18, [](const tPalette& p) { return DrawUpload(p, false); }, QColor(), true},
        {"UploadS", 18, 18, [](const tPalette& p) { return DrawUpload(p, true); }, QColor(), true},
        {"Watch", 18, 18, [](const tPalette& p) { return DrawWatch(p, false); }, QColor(), true},
        {"WatchS", 18, 18, [](const tPalette& p) { return DrawWatch(p, true); }, QColor(), true},
        {"GameS", 31, 60, [](const tPalette& p) { return DrawTab(p, "GAME", GameIcon(), true); }, QColor(),
         true},
        {"GameU", 31, 60, [](const tPalette& p) { return DrawTab(p, "GAME", GameIcon(), false); }, QColor(),
         true},
        {"OptS", 31, 60, [](const tPalette& p) { return DrawTab(p, "OPTIONS", GearIcon(), true); }, QColor(),
         true},
        {"OptU", 31, 60, [](const tPalette& p) { return DrawTab(p, "OPTIONS", GearIcon(), false); }, QColor(),
         true},
        {"KeysL", 31, 135, [](const tPalette& p) { return DrawKeys(p, true); }, QColor(), true},
        {"KeysR", 31, 135, [](const tPalette& p) { return DrawKeys(p, false); }, QColor(), true},
        {"Def", 31, 30, [](const tPalette& p) { return Button(p, DefaultsIcon(), false); }, QColor(), true},
        {"DefS", 31, 30, [](const tPalette& p) { return Button(p, DefaultsIcon(), true); }, QColor(), true},
        {"Load", 31, 30, [](const tPalette& p) { return Button(p, RestoreIcon(), false); }, QColor(), true},
        {"LoadS", 31, 30, [](const tPalette& p) { return Button(p, RestoreIcon(), true); }, QColor(), true},
        {"Save", 31, 30, [](const tPalette& p) { return Button(p, SaveIcon(), false); }, QColor(), true},
        {"SaveS", 31, 30, [](const tPalette& p) { return Button(p, SaveIcon(), true); }, QColor(), true},
        {"Help", 31, 30, [](const tPalette& p) { return Button(p, HelpIcon(), false); }, QColor(), true},
        {"HelpS", 31, 30, [](const tPalette& p) { return Button(p, HelpIcon(), true); }, QColor(), true},
        {"User", 31, 30, [](const tPalette& p) { return Button(p, PlayerIcon(), false); }, QColor(), true},
        {"UserS", 31, 30, [](const tPalette& p) { return Button(p, PlayerIcon(), true); }, QColor(), true},
        {"Exit", 31, 30, [](const tPalette& p) { return Button(p, ExitIcon(), false); }, QColor(), true},
        {"ExitS", 31, 30, [](const tPalette& p) { return Button(p, ExitIcon(), true); }, QColor(), true},
        {"About", 31, 30, [](const tPalette& p) { return Button(p, InfoIcon(), false); }, QColor(), true},
        {"AboutS", 31, 30, [](const tPalette& p) { return Button(p, InfoIcon(), true); }, QColor(), true},
        {"LogInB", 22, 21, [](const tPalette& p) { return DrawButton(p, EnterIcon(), 22, 21, false); },
         QColor(), true},
        {"LogInBS", 22, 21, [](const tPalette& p) { return DrawButton(p, EnterIcon(), 22, 21, true); },
         QColor(), true},
        {"LoginBMP", 300, 360, DrawLoginPicture, QColor(), true},
        {"Photo", 220, 280, DrawPhoto, QColor(), true},
        {"Glass", 200, 400, DrawGlass, QColor(), false},
        {"Background", 585, 460, DrawBackground, QColor(), false},
    };
    return pictures;
}

const tPicture* FindPicture(const QString& name) {
    for (const tPicture& picture : Pictures()) {
        if (picture.name == name) {
            return &picture;
        }
    }
    return nullptr;
}
