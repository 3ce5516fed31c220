// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/uGamepadInput.h"

#include "engine/uGame.h"
#include "platform/uGamepads.h"
#include "shell/uButtons.h"

#include <string>

tGamepadInput::tGamepadInput(tRoutes routes) : routes_(std::move(routes)) {}

void tGamepadInput::ListenTo(tGamepads& gamepads) {
    connect(&gamepads, &tGamepads::pressed, this, &tGamepadInput::Press);
    // A controller that goes away in the middle of a game pauses it, as leaving the window does.
    connect(&gamepads, &tGamepads::detached, this, [this] { routes_.lost(); });
}

void tGamepadInput::Press(const QString& button, bool repeat) {
    if (!routes_.active())
        return;
    const std::string name = button.toStdString();
    const tView view = routes_.view();
    if (view == tView::Options) {
        if (TKeyEdit* edit = routes_.buttons.EditOf(routes_.focus()); edit != nullptr && !repeat)
            routes_.buttons.ButtonDown(edit, name);
        return;
    }
    tGlass* well = routes_.well();
    if (well == nullptr || view != tView::Well)
        return;
    if (name == kStartButton)
        well->WellClick();
    else
        well->HandleButton(name);
}
