// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/uKeys.h"

#include "engine/uSound.h"
#include "platform/uCodePage.h"
#include "widgets/uKeyEdit.h"

tKeyBindings::tKeyBindings(const std::array<TKeyEdit*, 7>& edits, tBind bind)
    : edits_(edits), bind_(std::move(bind)) {}

void tKeyBindings::KeyDown(TKeyEdit* edit, uint16_t code) {
    const int index = names_.IndexOfCode(code);
    const QString name = index < 0 ? edit->text() : FromCodePage(names_.Name(index));
    // A new text runs the change handling by itself; an unchanged one runs it here, so every key pressed in
    // an edit is checked once.
    if (name != edit->text())
        edit->setText(name);
    else
        Changed(edit);
    edit->selectAll();
}

void tKeyBindings::Changed(TKeyEdit* edit) {
    const int slot = edit->Slot();
    const QString text = edit->text();
    if (text == FromCodePage(kNoKey)) {
        PlayResourceSound("Error", true);
        bind_(slot, 0);
        return;
    }
    bool conflict = false;
    for (const TKeyEdit* other : edits_)
        if (other != edit && other->text() == text) {
            conflict = true;
            break;
        }
    bind_(slot, names_.CodeOfName(ToCodePage(text)));
    if (conflict)
        PlayResourceSound("Error", true);
}

bool tKeyBindings::Valid() const {
    std::array<std::string, 7> names;
    for (size_t i = 0; i < names.size(); ++i)
        names[i] = ToCodePage(edits_[i]->text());
    return KeysValid(names);
}

void tKeyBindings::BindAll() {
    for (TKeyEdit* edit : edits_)
        Changed(edit);
}

void tKeyBindings::Show(const std::array<std::string, 7>& stored) {
    for (size_t i = 0; i < edits_.size(); ++i)
        edits_[i]->setText(FromCodePage(ReadKeyName(names_, stored[i])));
}
