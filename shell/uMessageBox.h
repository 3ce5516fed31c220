#pragma once

#include <functional>
#include <string>

// The one way a message reaches the player: a modal box with the text and a close button.
void ShowMessageBox(const std::string& text);

// Tests replace the box with a recorder; an empty hook restores the real box. Returns the hook it replaces.
using tMessageBoxHook = std::function<void(const std::string&)>;
tMessageBoxHook SetMessageBoxHook(tMessageBoxHook hook);
