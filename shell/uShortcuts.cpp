// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/uShortcuts.h"

#include <algorithm>

tShortcuts::tShortcuts(std::vector<tShortcut> table, tView playIn, std::function<void(uint16_t)> play)
    : table_(std::move(table)), playIn_(playIn), play_(std::move(play)) {}

void tShortcuts::Press(uint16_t code, tView view) const {
    const auto fixed = std::find_if(table_.begin(), table_.end(),
                                    [code](const tShortcut& shortcut) { return shortcut.code == code; });
    if (fixed == table_.end()) {
        if (view == playIn_ && code != 0)
            play_(code);
        return;
    }
    if (std::find(fixed->views.begin(), fixed->views.end(), view) != fixed->views.end())
        fixed->run();
}
