// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window's share of applying a skin: its panels, the options page's labels and flat controls, the
// picture buttons of the game view, the hint window, the message box and the pictures around the well. The
// well, its statistics and its high score panel take their own share through their own skin targets.

#include "platform/uSubscription.h"

class TMainForm;

class tWindowSkin {
public:
    // Registers both targets for as long as it lives, and shows the skin held now.
    explicit tWindowSkin(TMainForm& form);
    ~tWindowSkin();
    tWindowSkin(const tWindowSkin&) = delete;
    tWindowSkin& operator=(const tWindowSkin&) = delete;

    void ApplySkinToWindow();
    // The three pictures around the well take their parts of the skin's background, or hide without one.
    void LoadSkinBackground();

private:
    void ApplyOptionControls();
    void ApplyButtons();

    TMainForm& form_;
    tSubscription skinTarget_;
    tSubscription backgroundTarget_;
};
