// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Opening an address or a document with the desktop's default handler, as a double click would. The program
// learns only whether a handler could be started, not whether it showed anything; tests install a recorder
// instead of the desktop.

#include <QUrl>
#include <functional>
#include <string>

// target: an address with its scheme ("https://...", "mailto:...") or the path of a document in the file
// system's encoding (UTF-8). Handed to the opener the program installed; without one it is only logged.
// False when nothing could be started to open it.
bool ShellOpen(const std::string& target);

// The desktop's default handler: what the program installs as its opener. False where the desktop has no
// browser or launcher for the target.
bool OpenWithDesktop(const std::string& target);

// An address with a scheme is taken as it is written; anything else is a path, made absolute.
QUrl ShellUrl(const std::string& target);

// Returns the opener it replaces.
using tShellOpener = std::function<bool(const std::string&)>;
tShellOpener SetShellOpener(tShellOpener opener);
