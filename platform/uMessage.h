// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one way the program tells the player something. The program installs its message box as the presenter
// when it starts; without one a message goes to the log, so nothing ever waits on a box that nobody made.

#include <functional>
#include <string>

// Shows the text (in the code page) and returns when the player has read it.
void ShowMessageBox(const std::string& text);

// Returns the presenter it replaces; an empty one sends messages to the log again.
using tMessagePresenter = std::function<void(const std::string&)>;
tMessagePresenter SetMessagePresenter(tMessagePresenter presenter);
