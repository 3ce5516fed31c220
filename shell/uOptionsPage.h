// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The options page of the game view: game options, control keys and interface choices, each control holding
// one of a player's options. What a change does is the main window's business; the page only lays them out.

#include "platform/uSubscription.h"
#include "storage/uUserData.h"
#include "widgets/uKeyEdit.h"
#include "widgets/uSpinEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QSpinBox>

#include <array>
#include <cstdint>
#include <functional>

class QLabel;
class tChoiceList;
class tMyButton;

// A combo box that shows a tChoiceList and hands the player's pick back to it, then runs change.
[[nodiscard]] tSubscription MirrorChoiceList(QComboBox* combo, tChoiceList& list,
                                             std::function<void()> change);

class TOptionsPage : public QFrame {
    Q_OBJECT
public:
    // pConf: 585 x 460 at (40, 5) of the game view, hidden.
    explicit TOptionsPage(QWidget* gameView);
    ~TOptionsPage() override;

    QLabel* lOptions = nullptr;
    QLabel* lCKeys = nullptr;
    QLabel* lInterface = nullptr;
    // Game type, difficulty, start level, broken lines.
    std::array<QLabel*, 4> lOpt{};
    // Rotate, move, accelerate, drop.
    std::array<QLabel*, 4> lKeys{};
    QLabel* lSkin = nullptr;
    QLabel* lLanguage = nullptr;
    QComboBox* cbGType = nullptr;
    QComboBox* cbDifficult = nullptr;
    QSpinBox* seStartLevel = nullptr;
    QSpinBox* seBrLines = nullptr;
    QCheckBox* cbAutoPause = nullptr;
    QCheckBox* cbFullScreen = nullptr;
    QCheckBox* cbSounds = nullptr;
    QCheckBox* cbShowFix = nullptr;
    QCheckBox* cbShadow = nullptr;
    QCheckBox* cbAutoSave = nullptr;
    std::array<TKeyEdit*, 7> eKeys{};
    QComboBox* cbSkin = nullptr;
    QComboBox* cbLanguage = nullptr;
    QLabel* iKeysL = nullptr;
    QLabel* iKeysR = nullptr;
    tMyButton* iDefOpt = nullptr;
    tMyButton* iLoad = nullptr;
    tMyButton* iSave = nullptr;

    // The controls show a player's options, the two lists without their change handling; the start level's
    // limit is that of the shown difficulty. Keys, skin and language are shown by their own owners.
    void ShowOptions(const tUserOptions& options);
    // The controls' values as users.dat stores them, the keys' names included; skin and language are the
    // lists' own.
    tUserOptions Options() const;
    // The standard options, the lists set without their change handling; keys are left to their owner.
    void SetStandardOptions();

private:
    QLabel* AddTitle(const char* name, const char* key, int top);
    QLabel* AddRowLabel(const char* name, const char* key, int top);
    QCheckBox* AddCheckBox(const char* name, const char* key, int top);
    void ApplyTexts();

    std::function<void()> texts_;
    tSubscription languageTarget_;
};
