#pragma once
// Qt's key events as the Windows virtual-key codes the rest of the program speaks.

#include <cstdint>

class QKeyEvent;

// The virtual-key code of a Qt key (Qt::Key) pressed with or without the keypad modifier; 0 when the key has
// none. Shifted punctuation and digits give the code of the key they lie on (a US layout).
uint16_t VirtualKeyOf(int qtKey, bool keypad);
uint16_t VirtualKeyCode(const QKeyEvent& event);
