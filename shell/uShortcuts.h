// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window's fixed keys as one table: each key, the views it works in and what it does there. Every other
// key goes to the game while its view shows. A fixed key in a view it has no job in does nothing: it never
// reaches the game as a key of play.

#include "shell/uView.h"

#include <cstdint>
#include <functional>
#include <vector>

struct tShortcut {
    uint16_t code = 0;
    std::vector<tView> views;
    std::function<void()> run;
};

class tShortcuts {
public:
    // play(code) takes every key the table does not name, in the view playIn only.
    tShortcuts(std::vector<tShortcut> table, tView playIn, std::function<void(uint16_t code)> play);

    // A key pressed (a virtual-key code; 0 for a key that has none) while view shows.
    void Press(uint16_t code, tView view) const;

private:
    std::vector<tShortcut> table_;
    tView playIn_;
    std::function<void(uint16_t)> play_;
};
