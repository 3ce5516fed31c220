// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The options page of the game view: game options, control keys and interface choices, together a player's
// options. The page shows them and hands them back as one value, keeps the start level within the
// difficulty's limit and binds the keys; what a change does beyond the page is the main window's business,
// told by the page's signals.

#include "platform/uSubscription.h"
#include "shell/uButtons.h"
#include "shell/uKeys.h"
#include "storage/uPlayerOptions.h"

#include <QFrame>

#include <array>
#include <functional>
#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QSpinBox;
class TKeyEdit;
class tMyButton;
struct tOptionsSkinParts;

class TOptionsPage : public QFrame {
    Q_OBJECT
public:
    // pConf: 585 x 460 at (40, 5) of the game view, hidden. bind hands a slot's key to the running game,
    // bindButton its game controller button.
    TOptionsPage(QWidget* gameView, tKeyBindings::tBind bind, tButtonBindings::tBind bindButton);
    ~TOptionsPage() override;

    // The controls show a player's options: the start level within the shown difficulty's limit, the keys
    // through their bindings. Skin and language are chosen through their lists, not here. What changed is
    // signalled once every control shows the new options.
    void ShowOptions(const tPlayerOptions& options);
    // The options the controls show, keys by the names they show; skin and language are the lists' own.
    tPlayerOptions Options() const;
    // While a game runs the four game options take no change.
    void LockGameOptions(bool locked);
    tKeyBindings& Keys() { return *keys_; }
    const tKeyBindings& Keys() const { return *keys_; }
    tButtonBindings& Buttons() { return *buttons_; }
    // What applying a skin paints on the page.
    tOptionsSkinParts SkinParts() const;

signals:
    // An option the well takes changed: one of the four game options (gameOption; also a pick of the item a
    // list shows already), or the landing mark, the fixed-block look or the sounds.
    void wellOptionChanged(bool gameOption);
    void fullScreenToggled(bool on);
    // The repeat delay or rate changed.
    void repeatChanged();
    void standardClicked();
    void restoreClicked();
    void saveClicked();

private:
    QLabel* AddTitle(const char* name, const char* key, int top);
    QLabel* AddRowLabel(const char* name, const char* key, int top);
    QCheckBox* AddCheckBox(const char* name, const char* key, int top);
    void WireControls();
    void LimitStartLevel();
    void ApplyTexts();

    QLabel* lOptions = nullptr;
    QLabel* lCKeys = nullptr;
    QLabel* lInterface = nullptr;
    // Game type, difficulty, start level, broken lines.
    std::array<QLabel*, 4> lOpt{};
    // Rotate, move, accelerate, drop.
    std::array<QLabel*, 4> lKeys{};
    QLabel* lSkin = nullptr;
    QLabel* lLanguage = nullptr;
    QLabel* lRepeatDelay = nullptr;
    QLabel* lRepeatRate = nullptr;
    QComboBox* cbGType = nullptr;
    QComboBox* cbDifficult = nullptr;
    QSpinBox* seStartLevel = nullptr;
    QSpinBox* seBrLines = nullptr;
    QSpinBox* seRepeatDelay = nullptr;
    QSpinBox* seRepeatRate = nullptr;
    QCheckBox* cbAutoPause = nullptr;
    QCheckBox* cbFullScreen = nullptr;
    QCheckBox* cbSounds = nullptr;
    QCheckBox* cbShowFix = nullptr;
    QCheckBox* cbShadow = nullptr;
    QCheckBox* cbAutoSave = nullptr;
    std::array<TKeyEdit*, kActionCount> eKeys{};
    // The game controller button beside each key.
    std::array<TKeyEdit*, kActionCount> eButtons{};
    QComboBox* cbSkin = nullptr;
    QComboBox* cbLanguage = nullptr;
    QLabel* iKeysL = nullptr;
    QLabel* iKeysR = nullptr;
    tMyButton* iDefOpt = nullptr;
    tMyButton* iLoad = nullptr;
    tMyButton* iSave = nullptr;

    std::unique_ptr<tKeyBindings> keys_;
    std::unique_ptr<tButtonBindings> buttons_;
    std::function<void()> texts_;
    tSubscription languageTarget_;
    tSubscription skinListMirror_;
    tSubscription languageListMirror_;
};
