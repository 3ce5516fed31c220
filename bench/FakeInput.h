// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Keys and clicks as a person gives them, sent through the XTest extension of the benchmark's X server. With
// no window manager, the keyboard goes to the window the input focus is set to.

#include <X11/Xlib.h>

#include <string>

class tFakeInput {
public:
    // Throws when the server has no XTest.
    explicit tFakeInput(Display* display);

    // Gives the window the keyboard, as a window manager would on a click.
    void Focus(Window window);
    // A key by its keysym name ("Return", "F2", "n"), with another held down ("Control_L") when given.
    void Key(const std::string& name, const std::string& heldName = {});
    // Lower-case letters and digits, one key each.
    void Type(const std::string& text);
    // Moves the pointer there on the screen, lets the program see it arrive, and clicks the left button.
    void Click(int x, int y);

private:
    KeyCode Code(const std::string& name) const;
    void Settle() const;

    Display* display_;
};
