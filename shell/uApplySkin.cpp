// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/uApplySkin.h"

#include "look/uSkin.h"
#include "platform/uBitmap.h"
#include "shell/stakmain.h"
#include "shell/uMessageBox.h"
#include "shell/uOptionsPage.h"
#include "widgets/uCrispPixmap.h"
#include "widgets/uFlatStyle.h"
#include "widgets/uOther.h"

#include <QFrame>
#include <QLabel>

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

} // namespace

tWindowSkin::tWindowSkin(TMainForm& form) : form_(form) {
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
    QPalette window = form_.client->palette();
    window.setColor(QPalette::Window, Color(skin.Common.clrPanel));
    form_.client->setPalette(window);
    SetFlatPanelColors(form_.pGlass, Color(skin.Panel_Game.clrPanel), Color(skin.Panel_Game.clrBorder));
    SetFlatPanelColors(form_.pConf, Color(skin.Panel_Conf.clrPanel), Color(skin.Panel_Conf.clrBorder));
    SetFlatPanelColors(form_.pGame, Color(skin.Common.clrPanel), Color(skin.Common.clrBorder));
    ApplyOptionControls();
    const auto& hint = skin.Hint;
    form_.SetHintColors(hint.clrArrow, hint.clrArrowBackGround, hint.clrText, hint.clrBackGround,
                        hint.clrBorder);
    ApplyButtons();
    ShowPicture(form_.pConf->iKeysL, skin.Panel_Conf.btmControlKeys1);
    ShowPicture(form_.pConf->iKeysR, skin.Panel_Conf.btmControlKeys2);

    const auto& box = skin.MessageBox;
    TfMessageBox* messageBox = MessageBoxWindow();
    messageBox->SetColors(box.clrPanel, box.clrBorder, box.clrText);
    SkinButton(messageBox->iMessageClose, box.btmCloseDefault, box.btmCloseFocused);
}

void tWindowSkin::ApplyOptionControls() {
    const auto& conf = SkinSettings.Panel_Conf;
    TOptionsPage& page = *form_.pConf;
    for (QLabel* title : {page.lOptions, page.lCKeys, page.lInterface})
        SetTextColor(title, Color(conf.clrOptionsTitle));
    const QColor name = Color(conf.clrOptionName);
    for (QLabel* label : page.lOpt)
        SetTextColor(label, name);
    for (QLabel* label : page.lKeys)
        SetTextColor(label, name);
    SetTextColor(page.lSkin, name);
    SetTextColor(page.lLanguage, name);

    const QColor panel = Color(conf.clrPanel);
    const tFlatColors combo{Color(conf.clrComboBox),
                            Color(conf.clrComboBox),
                            Color(conf.clrComboBox),
                            Color(conf.clrComboBoxBorder),
                            Color(conf.clrComboBoxText),
                            Color(conf.clrComboBoxArrow),
                            Color(conf.clrComboBoxArrowBackGround)};
    for (QComboBox* list : {page.cbGType, page.cbDifficult, page.cbSkin, page.cbLanguage})
        SetFlatColors(list, combo);
    const tFlatColors spin{Color(conf.clrSpinEditFlat), Color(conf.clrSpinEditFocused),
                           Color(conf.clrSpinEditFlat), Color(conf.clrSpinEditBorder),
                           Color(conf.clrSpinEditText), Color(conf.clrSpinEditText),
                           Color(conf.clrSpinEditFlat)};
    for (QSpinBox* edit : {page.seStartLevel, page.seBrLines})
        SetFlatColors(edit, spin);
    // A check box has no face of its own at rest: the page shows through it.
    const tFlatColors check{panel,
                            Color(conf.clrCheckBoxFocused),
                            Color(conf.clrCheckBoxDown),
                            Color(conf.clrCheckBoxBorder),
                            Color(conf.clrCheckBoxText),
                            Color(conf.clrCheckBoxCheck),
                            panel};
    for (QCheckBox* box :
         {page.cbAutoPause, page.cbFullScreen, page.cbSounds, page.cbShowFix, page.cbShadow, page.cbAutoSave})
        SetFlatColors(box, check);
    const tFlatColors key{Color(conf.clrEditFlat),   Color(conf.clrEditFocused), Color(conf.clrEditFlat),
                          Color(conf.clrEditBorder), Color(conf.clrEditText),    Color(conf.clrEditText),
                          Color(conf.clrEditFlat)};
    for (TKeyEdit* edit : page.eKeys)
        SetFlatColors(edit, key);
}

void tWindowSkin::ApplyButtons() {
    const auto& buttons = SkinSettings.Buttons;
    const auto& conf = SkinSettings.Panel_Conf;
    SkinButton(form_.iHelp, buttons.btmHelpDefault, buttons.btmHelpFocused);
    SkinButton(form_.iUser, buttons.btmPlayerDefault, buttons.btmPlayerFocused);
    SkinButton(form_.iExitGame, buttons.btmExitDefault, buttons.btmExitFocused);
    SkinButton(form_.pConf->iDefOpt, conf.btmDefaultDefault, conf.btmDefaultFocused);
    SkinButton(form_.pConf->iLoad, conf.btmLoadDefault, conf.btmLoadFocused);
    SkinButton(form_.pConf->iSave, conf.btmSaveDefault, conf.btmSaveFocused);
}

void tWindowSkin::LoadSkinBackground() {
    const tBitmap& background = SkinSettings.Panel_Game.btmBG;
    for (QLabel* picture : {form_.iBGLeft, form_.iBGBottom, form_.iBGRight}) {
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
