// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window's share of applying a skin: its panels, the options page's labels and flat controls, the
// picture buttons of the game view, the hint window, the message box and the pictures around the well. The
// well, its statistics and its high score panel take their own share through their own skin targets.

#include "platform/uSubscription.h"

#include <array>
#include <vector>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QSpinBox;
class QWidget;
class tMyButton;

// What the options page shows of a skin: titles, row names, flat controls, the two pictures beside the key
// edits and the three option buttons.
struct tOptionsSkinParts {
    std::vector<QLabel*> titles;
    std::vector<QLabel*> names;
    std::vector<QComboBox*> lists;
    std::vector<QSpinBox*> spinEdits;
    std::vector<QCheckBox*> checkBoxes;
    std::vector<QLineEdit*> keyEdits;
    QLabel* keysLeft = nullptr;
    QLabel* keysRight = nullptr;
    tMyButton* standard = nullptr;
    tMyButton* restore = nullptr;
    tMyButton* save = nullptr;
};

// What the main window shows of a skin.
struct tWindowSkinParts {
    // Stands for the window: the game view shows the window's colour with a border of its own.
    QWidget* client = nullptr;
    QFrame* gameView = nullptr;
    QFrame* wellPage = nullptr;
    QFrame* optionsPage = nullptr;
    tMyButton* help = nullptr;
    tMyButton* player = nullptr;
    tMyButton* exit = nullptr;
    // Left of, below and right of the well, each laid on its own part of the skin's background.
    std::array<QLabel*, 3> background{};
    tOptionsSkinParts options;
};

class tWindowSkin {
public:
    // Registers both targets for as long as it lives, and shows the skin held now on these parts.
    explicit tWindowSkin(tWindowSkinParts parts);
    ~tWindowSkin();
    tWindowSkin(const tWindowSkin&) = delete;
    tWindowSkin& operator=(const tWindowSkin&) = delete;

    void ApplySkinToWindow();
    // The three pictures around the well take their parts of the skin's background, or hide without one.
    void LoadSkinBackground();

private:
    void ApplyOptionControls();
    void ApplyButtons();

    tWindowSkinParts parts_;
    tSubscription skinTarget_;
    tSubscription backgroundTarget_;
};
