#include "shell/uKeys.h"

#include "engine/uGame.h"
#include "engine/uSound.h"
#include "platform/uCodePage.h"
#include "shell/stakmain.h"
#include "shell/uHelp.h"
#include "shell/uOptionsPage.h"

#include <QCheckBox>
#include <QFrame>

void TMainForm::FormShortCut(uint16_t code) {
    const tView view = View();
    if (glass_ == nullptr || (view != tView::Well && view != tView::Options))
        return;
    const bool well = view == tView::Well;
    switch (code) {
    case kVkPause:
        if (well)
            glass_->SetPause(!glass_->Paused());
        break;
    case kVkEscape:
        if (well)
            glass_->StopGame(true);
        break;
    case kVkF1:
        iHelpClick();
        break;
    case kVkF2:
        if (well)
            glass_->NewGame();
        break;
    case kVkF3:
        if (!well)
            iGameClick();
        break;
    case kVkF4:
        if (well)
            iOptClick();
        break;
    default:
        if (well && code != 0)
            glass_->HandleKey(code);
        break;
    }
}

void TMainForm::AppDeactivate() {
    if (glass_ && View() == tView::Well && pConf->cbAutoPause->isChecked() && !glass_->Paused())
        glass_->SetPause(true);
}

void TMainForm::eKeys1KeyDown(TKeyEdit* edit, uint16_t code) {
    const int index = keyNames_.IndexOfCode(code);
    const QString name = index < 0 ? edit->text() : FromCodePage(keyNames_.Name(index));
    // A new text runs the change handling by itself; an unchanged one runs it here, so every key pressed in
    // an edit is checked once.
    if (name != edit->text())
        edit->setText(name);
    else
        eKeys1Change(edit);
    edit->selectAll();
}

void TMainForm::eKeys1Change(TKeyEdit* edit) {
    const int slot = edit->Slot();
    const QString text = edit->text();
    const auto setKey = [this, slot](uint16_t code) {
        if (glass_)
            glass_->SetKey(slot, code);
    };
    if (text == FromCodePage(kNoKey)) {
        PlayResourceSound("Error", true);
        setKey(0);
        return;
    }
    bool conflict = false;
    for (const TKeyEdit* other : pConf->eKeys)
        if (other != edit && other->text() == text) {
            conflict = true;
            break;
        }
    setKey(keyNames_.CodeOfName(ToCodePage(text)));
    if (conflict)
        PlayResourceSound("Error", true);
}

bool TMainForm::KeysValid() const {
    std::array<std::string, 7> names;
    for (size_t i = 0; i < names.size(); ++i)
        names[i] = ToCodePage(pConf->eKeys[i]->text());
    return ::KeysValid(names);
}

void TMainForm::SetDefaultKeys() {
    for (size_t i = 0; i < kKeyActions.size(); ++i)
        pConf->eKeys[i]->setText(FromCodePage(kKeyActions[i].defaultName));
}
