// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Qt's key events as the Windows virtual-key codes the rest of the program speaks.

#include <cstdint>

class QKeyEvent;

// The virtual-key code of a Qt key (Qt::Key) pressed with or without the keypad modifier; 0 when the key has
// none. Shifted punctuation and digits give the code of the key they lie on (a US layout).
uint16_t VirtualKeyOf(int qtKey, bool keypad);
// The code of a key of the main block (letters, digits, punctuation) from its X key code, as it lies on a US
// keyboard whatever the layout; 0 for any other key.
uint16_t VirtualKeyAt(uint32_t scanCode);
// The position's code for the main block, the Qt key's code for every other key.
uint16_t VirtualKeyCode(const QKeyEvent& event);
