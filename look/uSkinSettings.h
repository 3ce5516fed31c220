// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The skin record: every colour (0x00BBGGRR) and bitmap of the current skin, and the views it tells of a
// change. One program-wide record; loading a skin always starts again from the built-in values.

#include "platform/uBitmap.h"
#include "platform/uSubscription.h"

#include <cstdint>
#include <functional>
#include <string>

namespace skincolor {
inline constexpr uint32_t DarkRed = 2695813;
inline constexpr uint32_t RowRed = 1842285;
inline constexpr uint32_t LineRed = 1710695;
inline constexpr uint32_t White = 16777215;
inline constexpr uint32_t Black = 0;
} // namespace skincolor

struct tSkinSettings {
    struct {
        uint32_t clrPanel = skincolor::DarkRed;
        uint32_t clrBorder = skincolor::Black;
        uint32_t clrText = skincolor::White;
    } Common;
    struct {
        uint32_t clrPanel = skincolor::DarkRed;
        uint32_t clrBorder = skincolor::Black;
        uint32_t clrTextPlayer = skincolor::White;
        uint32_t clrTextTime = skincolor::White;
        uint32_t clrTextStatTitle = skincolor::White;
        uint32_t clrTextStatInfo = skincolor::White;
        tBitmap btmBG;
    } Panel_Game;
    struct {
        uint32_t clrText = skincolor::White;
        tBitmap btmBlock;
        tBitmap btmBlockFree;
        tBitmap btmArrow;
        tBitmap btmBlockFix;
        tBitmap btmBlockShadow;
        tBitmap btmGlass;
    } Glass;
    struct {
        uint32_t clrBorder = skincolor::Black;
        uint32_t clrLineLooser = skincolor::Black;
        uint32_t clrLineCurrent = skincolor::DarkRed;
        uint32_t clrLineHead = skincolor::RowRed;
        uint32_t clrLineOther = skincolor::RowRed;
        uint32_t clrTextLooser = skincolor::White;
        uint32_t clrTextCurrent = skincolor::White;
        uint32_t clrTextHead = skincolor::White;
        uint32_t clrTextOther = skincolor::White;
        // Only the default of the four line borders while a skin.ini is read; the built-in skin never sets
        // it.
        uint32_t clrLBorder = skincolor::LineRed;
        uint32_t clrLBorderLooser = skincolor::LineRed;
        uint32_t clrLBorderCurrent = skincolor::LineRed;
        uint32_t clrLBorderHead = skincolor::LineRed;
        uint32_t clrLBorderOther = skincolor::LineRed;
        uint32_t clrTextTitle = skincolor::White;
        uint32_t clrTextInfoTitle = skincolor::White;
        uint32_t clrTextInfo = skincolor::White;
        tBitmap btmUpLoadFocused;
        tBitmap btmUpLoadDefault;
        tBitmap btmWatchFocused;
        tBitmap btmWatchDefault;
    } HiScore;
    struct {
        uint32_t clrArrow = skincolor::White;
        uint32_t clrArrowBackGround = skincolor::DarkRed;
        uint32_t clrText = skincolor::White;
        uint32_t clrBackGround = skincolor::DarkRed;
        uint32_t clrBorder = skincolor::Black;
    } Hint;
    struct {
        tBitmap btmGameFocused;
        tBitmap btmGameDefault;
        tBitmap btmConfFocused;
        tBitmap btmConfDefault;
    } Tab;
    struct {
        uint32_t clrPanel = skincolor::DarkRed;
        uint32_t clrBorder = skincolor::Black;
        uint32_t clrOptionsTitle = skincolor::White;
        uint32_t clrOptionName = skincolor::White;
        uint32_t clrOptionValue = skincolor::White;
        uint32_t clrComboBox = skincolor::DarkRed;
        uint32_t clrComboBoxArrow = skincolor::Black;
        uint32_t clrComboBoxArrowBackGround = skincolor::DarkRed;
        uint32_t clrComboBoxBorder = skincolor::Black;
        uint32_t clrComboBoxText = skincolor::White;
        uint32_t clrSpinEditBorder = skincolor::Black;
        uint32_t clrSpinEditFlat = skincolor::DarkRed;
        uint32_t clrSpinEditFocused = skincolor::DarkRed;
        uint32_t clrSpinEditText = skincolor::White;
        uint32_t clrCheckBoxBorder = skincolor::Black;
        uint32_t clrCheckBoxCheck = skincolor::Black;
        uint32_t clrCheckBoxDown = skincolor::DarkRed;
        uint32_t clrCheckBoxFocused = skincolor::DarkRed;
        uint32_t clrCheckBoxText = skincolor::White;
        uint32_t clrEditBorder = skincolor::Black;
        uint32_t clrEditFlat = skincolor::DarkRed;
        uint32_t clrEditFocused = skincolor::DarkRed;
        uint32_t clrEditText = skincolor::White;
        tBitmap btmControlKeys1;
        tBitmap btmControlKeys2;
        tBitmap btmDefaultFocused;
        tBitmap btmDefaultDefault;
        tBitmap btmLoadFocused;
        tBitmap btmLoadDefault;
        tBitmap btmSaveFocused;
        tBitmap btmSaveDefault;
    } Panel_Conf;
    struct {
        tBitmap btmHelpFocused;
        tBitmap btmHelpDefault;
        tBitmap btmPlayerFocused;
        tBitmap btmPlayerDefault;
        tBitmap btmExitFocused;
        tBitmap btmExitDefault;
    } Buttons;
    struct {
        uint32_t clrPanel = skincolor::DarkRed;
        uint32_t clrBorder = skincolor::Black;
        uint32_t clrText = skincolor::White;
        tBitmap btmCloseFocused;
        tBitmap btmCloseDefault;
    } MessageBox;
    // Shown in the skin hint; loading the built-in skin leaves them as they are.
    std::string Author;
    std::string Version;
    std::string EMail;
    std::string Comment;
};

extern tSkinSettings SkinSettings;

// The well background becomes the empty-cell image tiled 10 x 20 over what it held, honouring the image's
// transparent colour.
void FillWellBackground();

// Everything that shows a skin colour or bitmap registers here; ApplySkin runs them in registration order.
using tSkinTarget = std::function<void()>;
[[nodiscard]] tSubscription AddSkinTarget(tSkinTarget target);
void ApplySkin();
// The images around the well follow Panel_Game.btmBG (empty: hidden) whenever it is loaded or dropped.
[[nodiscard]] tSubscription AddSkinBackgroundTarget(tSkinTarget target);
void RunSkinBackgroundTargets();
