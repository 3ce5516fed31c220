// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The game controller buttons of the options page: one edit beside each action's key edit, bound by pressing
// a controller button while the edit has the focus.

#include "core/uRules.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>

class QWidget;
class TKeyEdit;

class tButtonBindings {
public:
    // bind(slot, name) hands a slot's button to the running game; an empty name unbinds it.
    using tBind = std::function<void(int slot, const std::string& name)>;
    tButtonBindings(const std::array<TKeyEdit*, kActionCount>& edits, tBind bind);

    // The edit that shows a slot's button, when the widget is one.
    TKeyEdit* EditOf(const QWidget* widget) const;
    // A controller button pressed while an edit has the focus: its action takes the button from any other
    // action that had it. Start binds nothing: it keeps pausing and starting games.
    void ButtonDown(TKeyEdit* edit, const std::string& name);
    // A key pressed in an edit: Delete and Backspace unbind its button, other keys do nothing.
    void KeyDown(TKeyEdit* edit, uint16_t code);
    // The edits show stored names and the game takes them; a name SDL does not have, or Start, binds none.
    void Show(const std::array<std::string, kActionCount>& stored);
    // The names the edits show, in action order.
    std::array<std::string, kActionCount> Names() const;

private:
    void Set(TKeyEdit* edit, const std::string& name);

    std::array<TKeyEdit*, kActionCount> edits_;
    tBind bind_;
};
