// SPDX-License-Identifier: GPL-3.0-or-later
#include "look/uSkinTable.h"

#include <array>

namespace {

using namespace skincolor;

// The field of a section and key of the record, spelled once.
#define SKIN_FIELD(section, key)                                                                             \
    [](tSkinSettings & s) -> auto& {                                                                         \
        return s.section.key;                                                                                \
    }
#define COLOR_CONST(section, key, value)                                                                     \
    { #section, #key, SKIN_FIELD(section, key), nullptr, value, true }
#define COLOR_FROM(section, key, fromSection, fromKey)                                                       \
    { #section, #key, SKIN_FIELD(section, key), SKIN_FIELD(fromSection, fromKey), 0, true }
#define BITMAP(section, key, w, h, keyColumn, resource)                                                      \
    { #section, #key, SKIN_FIELD(section, key), w, h, keyColumn, resource, false }

const std::array<tSkinColorRow, 58> kColors{{
    COLOR_CONST(Common, clrPanel, DarkRed),
    COLOR_CONST(Common, clrBorder, Black),
    COLOR_CONST(Common, clrText, White),
    COLOR_FROM(Panel_Game, clrPanel, Common, clrPanel),
    COLOR_FROM(Panel_Game, clrBorder, Common, clrBorder),
    COLOR_FROM(Panel_Game, clrTextPlayer, Common, clrText),
    COLOR_FROM(Panel_Game, clrTextTime, Common, clrText),
    COLOR_FROM(Panel_Game, clrTextStatTitle, Common, clrText),
    COLOR_FROM(Panel_Game, clrTextStatInfo, Common, clrText),
    COLOR_FROM(Glass, clrText, Common, clrText),
    COLOR_FROM(HiScore, clrBorder, Common, clrBorder),
    COLOR_CONST(HiScore, clrLineLooser, Black),
    COLOR_CONST(HiScore, clrLineCurrent, DarkRed),
    COLOR_CONST(HiScore, clrLineHead, RowRed),
    COLOR_CONST(HiScore, clrLineOther, RowRed),
    COLOR_FROM(HiScore, clrTextLooser, Common, clrText),
    COLOR_FROM(HiScore, clrTextCurrent, Common, clrText),
    COLOR_FROM(HiScore, clrTextHead, Common, clrText),
    COLOR_FROM(HiScore, clrTextOther, Common, clrText),
    {"HiScore", "clrLBorder", SKIN_FIELD(HiScore, clrLBorder), nullptr, LineRed, false},
    COLOR_FROM(HiScore, clrLBorderLooser, HiScore, clrLBorder),
    COLOR_FROM(HiScore, clrLBorderCurrent, HiScore, clrLBorder),
    COLOR_FROM(HiScore, clrLBorderHead, HiScore, clrLBorder),
    COLOR_FROM(HiScore, clrLBorderOther, HiScore, clrLBorder),
    COLOR_FROM(HiScore, clrTextTitle, Common, clrText),
    COLOR_FROM(HiScore, clrTextInfoTitle, Common, clrText),
    COLOR_FROM(HiScore, clrTextInfo, Common, clrText),
    COLOR_CONST(Hint, clrArrow, White),
    COLOR_CONST(Hint, clrArrowBackGround, DarkRed),
    COLOR_FROM(Hint, clrText, Common, clrText),
    COLOR_FROM(Hint, clrBackGround, Common, clrPanel),
    COLOR_FROM(Hint, clrBorder, Common, clrBorder),
    COLOR_FROM(Panel_Conf, clrPanel, Common, clrPanel),
    COLOR_FROM(Panel_Conf, clrBorder, Common, clrBorder),
    COLOR_FROM(Panel_Conf, clrOptionsTitle, Common, clrText),
    COLOR_FROM(Panel_Conf, clrOptionName, Common, clrText),
    COLOR_FROM(Panel_Conf, clrOptionValue, Common, clrText),
    COLOR_FROM(Panel_Conf, clrComboBox, Panel_Conf, clrPanel),
    COLOR_CONST(Panel_Conf, clrComboBoxArrow, Black),
    COLOR_FROM(Panel_Conf, clrComboBoxArrowBackGround, Panel_Conf, clrPanel),
    COLOR_FROM(Panel_Conf, clrComboBoxBorder, Panel_Conf, clrBorder),
    COLOR_FROM(Panel_Conf, clrComboBoxText, Panel_Conf, clrOptionValue),
    COLOR_FROM(Panel_Conf, clrSpinEditBorder, Panel_Conf, clrBorder),
    COLOR_FROM(Panel_Conf, clrSpinEditFlat, Panel_Conf, clrPanel),
    COLOR_FROM(Panel_Conf, clrSpinEditFocused, Panel_Conf, clrPanel),
    COLOR_FROM(Panel_Conf, clrSpinEditText, Panel_Conf, clrOptionValue),
    COLOR_FROM(Panel_Conf, clrCheckBoxBorder, Panel_Conf, clrBorder),
    COLOR_CONST(Panel_Conf, clrCheckBoxCheck, Black),
    COLOR_FROM(Panel_Conf, clrCheckBoxDown, Common, clrPanel),
    COLOR_FROM(Panel_Conf, clrCheckBoxFocused, Common, clrPanel),
    COLOR_FROM(Panel_Conf, clrCheckBoxText, Panel_Conf, clrOptionValue),
    COLOR_FROM(Panel_Conf, clrEditBorder, Panel_Conf, clrBorder),
    COLOR_FROM(Panel_Conf, clrEditFlat, Common, clrPanel),
    COLOR_FROM(Panel_Conf, clrEditFocused, Common, clrPanel),
    COLOR_FROM(Panel_Conf, clrEditText, Panel_Conf, clrOptionValue),
    COLOR_FROM(MessageBox, clrPanel, Common, clrPanel),
    COLOR_FROM(MessageBox, clrBorder, Common, clrBorder),
    COLOR_FROM(MessageBox, clrText, Common, clrText),
}};

const std::array<tSkinBitmapRow, 30> kBitmaps{{
    BITMAP(Glass, btmBlock, 21, 20, true, "Block"),
    BITMAP(Glass, btmBlockFree, 21, 20, true, "BlockFree"),
    BITMAP(Glass, btmArrow, 19, 18, false, "Arrow"),
    BITMAP(Glass, btmBlockFix, 21, 20, true, "BlockFix"),
    {"Glass", "btmBlockShadow", SKIN_FIELD(Glass, btmBlockShadow), 21, 20, true, "BlockShadow", true},
    BITMAP(Glass, btmGlass, 200, 400, false, nullptr),
    BITMAP(HiScore, btmUpLoadFocused, 18, 18, false, "UploadS"),
    BITMAP(HiScore, btmUpLoadDefault, 18, 18, false, "Upload"),
    BITMAP(HiScore, btmWatchFocused, 18, 18, false, "WatchS"),
    BITMAP(HiScore, btmWatchDefault, 18, 18, false, "Watch"),
    BITMAP(Tab, btmGameFocused, 31, 60, false, "GameS"),
    BITMAP(Tab, btmGameDefault, 31, 60, false, "GameU"),
    BITMAP(Tab, btmConfFocused, 31, 60, false, "OptS"),
    BITMAP(Tab, btmConfDefault, 31, 60, false, "OptU"),
    BITMAP(Panel_Conf, btmControlKeys1, 31, 135, false, "KeysL"),
    BITMAP(Panel_Conf, btmControlKeys2, 31, 135, false, "KeysR"),
    BITMAP(Panel_Conf, btmDefaultFocused, 31, 30, false, "DefS"),
    BITMAP(Panel_Conf, btmDefaultDefault, 31, 30, false, "Def"),
    BITMAP(Panel_Conf, btmLoadFocused, 31, 30, false, "LoadS"),
    BITMAP(Panel_Conf, btmLoadDefault, 31, 30, false, "Load"),
    BITMAP(Panel_Conf, btmSaveFocused, 31, 30, false, "SaveS"),
    BITMAP(Panel_Conf, btmSaveDefault, 31, 30, false, "Save"),
    BITMAP(Buttons, btmHelpFocused, 31, 30, false, "HelpS"),
    BITMAP(Buttons, btmHelpDefault, 31, 30, false, "Help"),
    BITMAP(Buttons, btmPlayerFocused, 31, 30, false, "UserS"),
    BITMAP(Buttons, btmPlayerDefault, 31, 30, false, "User"),
    BITMAP(Buttons, btmExitFocused, 31, 30, false, "ExitS"),
    BITMAP(Buttons, btmExitDefault, 31, 30, false, "Exit"),
    BITMAP(MessageBox, btmCloseFocused, 31, 30, false, "ExitS"),
    BITMAP(MessageBox, btmCloseDefault, 31, 30, false, "Exit"),
}};

const tSkinBitmapRow kBackground = BITMAP(Panel_Game, btmBG, 585, 460, false, nullptr);

} // namespace

std::span<const tSkinColorRow> SkinColorRows() {
    return kColors;
}

std::span<const tSkinBitmapRow> SkinBitmapRows() {
    return kBitmaps;
}

const tSkinBitmapRow& SkinBackgroundRow() {
    return kBackground;
}
