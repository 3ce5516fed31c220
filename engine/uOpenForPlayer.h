// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Opening a document or an address for the player with the desktop's handler, and telling the player when
// there is none (no browser, no launcher): the target is put on the clipboard and shown in a message, so that
// it can be opened by hand, and the game goes on.

#include <string>

// target as ShellOpen takes it.
void OpenForPlayer(const std::string& target);
