// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/uButtons.h"

#include "platform/uGamepads.h"
#include "widgets/uKeyEdit.h"

#include <algorithm>

namespace {

constexpr uint16_t kVkBack = 8;
constexpr uint16_t kVkDelete = 46;

bool Bindable(const std::string& name) {
    const std::vector<std::string>& names = GamepadButtonNames();
    return name != kStartButton && std::find(names.begin(), names.end(), name) != names.end();
}

} // namespace

tButtonBindings::tButtonBindings(const std::array<TKeyEdit*, kActionCount>& edits, tBind bind)
    : edits_(edits), bind_(std::move(bind)) {}

TKeyEdit* tButtonBindings::EditOf(const QWidget* widget) const {
    const auto it = std::find(edits_.begin(), edits_.end(), widget);
    return it == edits_.end() ? nullptr : *it;
}

void tButtonBindings::ButtonDown(TKeyEdit* edit, const std::string& name) {
    if (!Bindable(name))
        return;
    const QString text = QString::fromStdString(name);
    for (TKeyEdit* other : edits_)
        if (other != edit && other->text() == text)
            Set(other, {});
    Set(edit, name);
    edit->selectAll();
}

void tButtonBindings::KeyDown(TKeyEdit* edit, uint16_t code) {
    if (code == kVkBack || code == kVkDelete)
        Set(edit, {});
}

void tButtonBindings::Show(const std::array<std::string, kActionCount>& stored) {
    for (size_t i = 0; i < edits_.size(); ++i)
        Set(edits_[i], Bindable(stored[i]) ? stored[i] : std::string());
}

std::array<std::string, kActionCount> tButtonBindings::Names() const {
    std::array<std::string, kActionCount> names;
    for (size_t i = 0; i < edits_.size(); ++i)
        names[i] = edits_[i]->text().toStdString();
    return names;
}

void tButtonBindings::Set(TKeyEdit* edit, const std::string& name) {
    edit->setText(QString::fromStdString(name));
    bind_(edit->Slot(), name);
}
