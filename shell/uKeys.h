#pragma once
// The control keys of the main window: the capture and checking of the seven bindings and the window-wide
// key hook (TMainForm's members defined in uKeys.cpp), and the fixed keys the hook knows.

#include <cstdint>

inline constexpr uint16_t kVkPause = 19;
inline constexpr uint16_t kVkEscape = 27;
inline constexpr uint16_t kVkF1 = 112;
inline constexpr uint16_t kVkF2 = 113;
inline constexpr uint16_t kVkF3 = 114;
inline constexpr uint16_t kVkF4 = 115;
