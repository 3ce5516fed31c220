// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The control keys: the capture and checking of the seven bindings of the options page, the names they are
// shown by, and the fixed keys the window's key hook knows.

#include "storage/uKeyNames.h"

#include <array>
#include <cstdint>
#include <functional>

class TKeyEdit;

inline constexpr uint16_t kVkPause = 19;
inline constexpr uint16_t kVkEscape = 27;
inline constexpr uint16_t kVkF1 = 112;
inline constexpr uint16_t kVkF2 = 113;
inline constexpr uint16_t kVkF3 = 114;
inline constexpr uint16_t kVkF4 = 115;

class tKeyBindings {
public:
    // bind(slot, code) hands a slot's key to the running game; code 0 unbinds it.
    using tBind = std::function<void(int slot, uint16_t code)>;
    tKeyBindings(const std::array<TKeyEdit*, 7>& edits, tBind bind);

    void LoadNames() { names_.LoadResource(); }
    void FreeNames() { names_.Free(); }
    const tKeyNames& Names() const { return names_; }

    // A key pressed in an edit: the edit shows its name, and the binding is checked.
    void KeyDown(TKeyEdit* edit, uint16_t code);
    // An edit's text changed: its key goes to the game; an unknown key or one bound twice sounds an error.
    void Changed(TKeyEdit* edit);
    // Every edit's key goes to the game again, slot by slot, checked as a change is.
    void BindAll();
    // Every edit names a known key, none twice.
    bool Valid() const;
    // The edits show stored key names, unknown ones as the name of no key.
    void Show(const std::array<std::string, 7>& stored);

private:
    std::array<TKeyEdit*, 7> edits_;
    tBind bind_;
    tKeyNames names_;
};
