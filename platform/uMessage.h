// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one way the program tells the player something. The program installs its message box as the presenter
// when it starts; without one a message goes to the log, so nothing ever waits on a box that nobody made.

#include <QString>
#include <functional>

// Shows the text and returns when the player has read it. Messages are mostly language texts, which need not
// be in the program's code page; its own texts go through FromCodePage on the way.
void ShowMessageBox(const QString& text);

// Returns the presenter it replaces; an empty one sends messages to the log again.
using tMessagePresenter = std::function<void(const QString&)>;
tMessagePresenter SetMessagePresenter(tMessagePresenter presenter);
