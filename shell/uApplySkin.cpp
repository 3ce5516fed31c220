// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/uApplySkin.h"

#include "look/uSkin.h"
#include "platform/uBitmap.h"
#include "shell/uMessageBox.h"
#include "widgets/uCrispPixmap.h"
#include "widgets/uFlatStyle.h"
#include "widgets/uOther.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QToolTip>

namespace {

QColor Color(uint32_t colorBGR) {
    return QColor(ColorToRgb(colorBGR));
}

// A button keeps its pictures when the skin has none to give (before the first skin is loaded).
void SkinButton(tMyButton* button, const tBitmap& normal, const tBitmap& hover) {
    if (!normal.Empty() && !hover.Empty())
        button->SetBitmaps(normal.image, hover.image);
    button->DrawNormal();
}

void ShowPicture(QLabel* label, const tBitmap& bitmap) {
    if (!bitmap.Empty())
        SetCrispPixmap(label, bitmap.image);
}

// Hints carry no arrow here, so the skin's two arrow colours have nothing to paint.
void SetHintColors(uint32_t text, uint32_t background, uint32_t border) {
    QPalette hint = QToolTip::palette();
    hint.setColor(QPalette::ToolTipText, Color(text));
    hint.setColor(QPalette::ToolTipBase, Color(background));
    hint.setColor(QPalette::WindowText, Color(text));
    hint.setColor(QPalette::Window, Color(background));
    hint.setColor(QPalette::Dark, Color(border));
    QToolTip::setPalette(hint);
}

} // namespace

tWindowSkin::tWindowSkin(tWindowSkinParts parts) : parts_(std::move(parts)) {
    PaintHintsFlat();
    skinTarget_ = AddSkinTarget([this] { ApplySkinToWindow(); });
    backgroundTarget_ = AddSkinBackgroundTarget([this] { LoadSkinBackground(); });
    ApplySkinToWindow();
    LoadSkinBackground();
}

tWindowSkin::~tWindowSkin() {}

void tWindowSkin::ApplySkinToWindow() {
    const auto& skin = SkinSettings;
    // The client stands for the window; the game view shows the window's colour with a border of its own.
    QPalette window = parts_.client->palette();
    window.setColor(QPalette::Window, Color(skin.Common.clrPanel));
    parts_.client->setPalette(window);
    SetFlatPanelColors(parts_.wellPage, Color(skin.Panel_Game.clrPanel), Color(skin.Panel_Game.clrBorder));
    SetFlatPanelColors(parts_.optionsPage, Color(skin.Panel_Conf.clrPanel), Color(skin.Panel_Conf.clrBorder));
    SetFlatPanelColors(parts_.gameView, Color(skin.Common.clrPanel), Color(skin.Common.clrBorder));
    ApplyOptionControls();
    SetHintColors(skin.Hint.clrText, skin.Hint.clrBackGround, skin.Hint.clrBorder);
    ApplyButtons();
    ShowPicture(parts_.options.keysLeft, skin.Panel_Conf.btmControlKeys1);
    ShowPicture(parts_.options.keysRight, skin.Panel_Conf.btmControlKeys2);

    const auto& box = skin.MessageBox;
    TfMessageBox* messageBox = MessageBoxWindow();
    messageBox->SetColors(box.clrPanel, box.clrBorder, box.clrText);
    SkinButton(messageBox->iMessageClose, box.btmCloseDefault, box.btmCloseFocused);
}

void tWindowSkin::ApplyOptionControls() {
    const auto& conf = SkinSettings.Panel_Conf;
    const tOptionsSkinParts& page = parts_.options;
    for (QLabel* title : page.titles)
        SetTextColor(title, Color(conf.clrOptionsTitle));
    for (QLabel* label : page.names)
        SetTextColor(label, Color(conf.clrOptionName));

    const QColor panel = Color(conf.clrPanel);
    const tFlatColors combo{Color(conf.clrComboBox),
                            Color(conf.clrComboBox),
                            Color(conf.clrComboBox),
                            Color(conf.clrComboBoxBorder),
                            Color(conf.clrComboBoxText),
                            Color(conf.clrComboBoxArrow),
                            Color(conf.clrComboBoxArrowBackGround)};
    for (QComboBox* list : page.lists)
        SetFlatColors(list, combo);
    const tFlatColors spin{Color(conf.clrSpinEditFlat), Color(conf.clrSpinEditFocused),
                           Color(conf.clrSpinEditFlat), Color(conf.clrSpinEditBorder),
                           Color(conf.clrSpinEditText), Color(conf.clrSpinEditText),
                           Color(conf.clrSpinEditFlat)};
    for (QSpinBox* edit : page.spinEdits)
        SetFlatColors(edit, spin);
    // A check box has no face of its own at rest: the page shows through it.
    const tFlatColors check{panel,
                            Color(conf.clrCheckBoxFocused),
                            Color(conf.clrCheckBoxDown),
                            Color(conf.clrCheckBoxBorder),
                            Color(conf.clrCheckBoxText),
                            Color(conf.clrCheckBoxCheck),
                            panel};
    for (QCheckBox* box : page.checkBoxes)
        SetFlatColors(box, check);
    const tFlatColors key{Color(conf.clrEditFlat),   Color(conf.clrEditFocused), Color(conf.clrEditFlat),
                          Color(conf.clrEditBorder), Color(conf.clrEditText),    Color(conf.clrEditText),
                          Color(conf.clrEditFlat)};
    for (QLineEdit* edit : page.keyEdits)
        SetFlatColors(edit, key);
}

void tWindowSkin::ApplyButtons() {
    const auto& buttons = SkinSettings.Buttons;
    const auto& conf = SkinSettings.Panel_Conf;
    SkinButton(parts_.help, buttons.btmHelpDefault, buttons.btmHelpFocused);
    SkinButton(parts_.player, buttons.btmPlayerDefault, buttons.btmPlayerFocused);
    SkinButton(parts_.exit, buttons.btmExitDefault, buttons.btmExitFocused);
    SkinButton(parts_.options.standard, conf.btmDefaultDefault, conf.btmDefaultFocused);
    SkinButton(parts_.options.restore, conf.btmLoadDefault, conf.btmLoadFocused);
    SkinButton(parts_.options.save, conf.btmSaveDefault, conf.btmSaveFocused);
}

void tWindowSkin::LoadSkinBackground() {
    const tBitmap& background = SkinSettings.Panel_Game.btmBG;
    for (QLabel* picture : parts_.background) {
        if (background.Empty()) {
            picture->hide();
            continue;
        }
        // The background's origin lies on the panel's inner corner, inside its border.
        QImage part(picture->size(), QImage::Format_RGB32);
        CopyRect(part, 0, 0, background.image, picture->x() - 1, picture->y() - 1, picture->width(),
                 picture->height());
        SetCrispPixmap(picture, part);
        picture->show();
    }
}
