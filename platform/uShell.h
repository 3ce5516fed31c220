#pragma once
// Opening an address or a document with the desktop's default handler, as a double click would. The program
// never learns whether a handler started; tests replace the desktop with a recorder.

#include <QUrl>
#include <functional>
#include <string>

// target: an address with its scheme ("https://...", "mailto:...") or the path of a document in the file
// system's encoding (UTF-8).
void ShellOpen(const std::string& target);

// An address with a scheme is taken as it is written; anything else is a path, made absolute.
QUrl ShellUrl(const std::string& target);

// An empty hook restores the desktop. Returns the hook it replaces.
using tShellHook = std::function<void(const std::string&)>;
tShellHook SetShellHook(tShellHook hook);
