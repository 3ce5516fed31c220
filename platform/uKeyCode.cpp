// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/uKeyCode.h"

#include <QKeyEvent>

#include <array>
#include <string_view>
#include <utility>

namespace {

// Keys whose code does not follow from a run of letters or digits.
constexpr std::array<std::pair<int, uint16_t>, 61> kKeys{{
    {Qt::Key_Backspace, 8},    {Qt::Key_Tab, 9},           {Qt::Key_Backtab, 9},
    {Qt::Key_Clear, 12},       {Qt::Key_Return, 13},       {Qt::Key_Enter, 13},
    {Qt::Key_Shift, 16},       {Qt::Key_Control, 17},      {Qt::Key_Alt, 18},
    {Qt::Key_AltGr, 18},       {Qt::Key_Pause, 19},        {Qt::Key_CapsLock, 20},
    {Qt::Key_Escape, 27},      {Qt::Key_Space, 32},        {Qt::Key_PageUp, 33},
    {Qt::Key_PageDown, 34},    {Qt::Key_End, 35},          {Qt::Key_Home, 36},
    {Qt::Key_Left, 37},        {Qt::Key_Up, 38},           {Qt::Key_Right, 39},
    {Qt::Key_Down, 40},        {Qt::Key_Print, 44},        {Qt::Key_Insert, 45},
    {Qt::Key_Delete, 46},      {Qt::Key_Meta, 91},         {Qt::Key_Menu, 93},
    {Qt::Key_NumLock, 144},    {Qt::Key_ScrollLock, 145},  {Qt::Key_Semicolon, 186},
    {Qt::Key_Colon, 186},      {Qt::Key_Equal, 187},       {Qt::Key_Plus, 187},
    {Qt::Key_Comma, 188},      {Qt::Key_Less, 188},        {Qt::Key_Minus, 189},
    {Qt::Key_Underscore, 189}, {Qt::Key_Period, 190},      {Qt::Key_Greater, 190},
    {Qt::Key_Slash, 191},      {Qt::Key_Question, 191},    {Qt::Key_QuoteLeft, 192},
    {Qt::Key_AsciiTilde, 192}, {Qt::Key_BracketLeft, 219}, {Qt::Key_BraceLeft, 219},
    {Qt::Key_Backslash, 220},  {Qt::Key_Bar, 220},         {Qt::Key_BracketRight, 221},
    {Qt::Key_BraceRight, 221}, {Qt::Key_Apostrophe, 222},  {Qt::Key_QuoteDbl, 222},
    {Qt::Key_ParenRight, 48},  {Qt::Key_Exclam, 49},       {Qt::Key_At, 50},
    {Qt::Key_NumberSign, 51},  {Qt::Key_Dollar, 52},       {Qt::Key_Percent, 53},
    {Qt::Key_AsciiCircum, 54}, {Qt::Key_Ampersand, 55},    {Qt::Key_Asterisk, 56},
    {Qt::Key_ParenLeft, 57},
}};

// The keypad's own keys; with Num Lock off its digits arrive as Home, Up, ... and keep those codes.
uint16_t KeypadKey(int qtKey) {
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return static_cast<uint16_t>(96 + qtKey - Qt::Key_0);
    switch (qtKey) {
    case Qt::Key_Asterisk:
        return 106;
    case Qt::Key_Plus:
        return 107;
    case Qt::Key_Minus:
        return 109;
    case Qt::Key_Period:
    case Qt::Key_Comma:
        return 110;
    case Qt::Key_Slash:
        return 111;
    default:
        return 0;
    }
}

} // namespace

uint16_t VirtualKeyOf(int qtKey, bool keypad) {
    if (keypad) {
        if (const uint16_t code = KeypadKey(qtKey))
            return code;
    }
    if ((qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) || (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z))
        return static_cast<uint16_t>(qtKey);
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return static_cast<uint16_t>(112 + qtKey - Qt::Key_F1);
    for (const auto& [key, code] : kKeys)
        if (key == qtKey)
            return code;
    return 0;
}

uint16_t VirtualKeyAt(uint32_t scanCode) {
    // The X key codes (evdev + 8) of the main block, in the order of a US keyboard's rows.
    static constexpr std::array<std::pair<uint32_t, std::string_view>, 4> kRows{{
        {10, "1234567890\xBD\xBB"},
        {24, "QWERTYUIOP\xDB\xDD"},
        {38, "ASDFGHJKL\xBA\xDE\xC0"},
        {52, "ZXCVBNM\xBC\xBE\xBF"},
    }};
    if (scanCode == 51)
        return 220;
    if (scanCode == 94)
        return 226;
    for (const auto& [first, codes] : kRows)
        if (scanCode >= first && scanCode < first + codes.size())
            return static_cast<uint8_t>(codes[scanCode - first]);
    return 0;
}

uint16_t VirtualKeyCode(const QKeyEvent& event) {
    const bool keypad = event.modifiers().testFlag(Qt::KeypadModifier);
    // The key's place, not its letter: a key bound in one layout works in every other one.
    if (!keypad) {
        if (const uint16_t code = VirtualKeyAt(event.nativeScanCode()))
            return code;
    }
    return VirtualKeyOf(event.key(), keypad);
}
