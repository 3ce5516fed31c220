// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Game controllers act as keys do, and only while the game's window is the active one, so that a press meant
// for another program, or made while a message box is open, does nothing here: in the well view a button runs
// the actions bound to it and Start starts or pauses a game as a click on the well does; in the options view
// a button binds the action whose button edit has the focus. A controller pulled out is told.

#include "shell/uView.h"

#include <QObject>

#include <functional>

class QString;
class QWidget;
class tButtonBindings;
class tGamepads;
class tGlass;

class tGamepadInput : public QObject {
public:
    struct tRoutes {
        // The game's window is the active one.
        std::function<bool()> active;
        std::function<tView()> view;
        // The logged-in player's well; null while nobody is.
        std::function<tGlass*()> well;
        // The window's focused control, and the options page's button edits it may be.
        std::function<QWidget*()> focus;
        tButtonBindings& buttons;
        // A controller went away.
        std::function<void()> lost;
    };
    explicit tGamepadInput(tRoutes routes);

    void ListenTo(tGamepads& gamepads);

private:
    void Press(const QString& button, bool repeat);

    tRoutes routes_;
};
