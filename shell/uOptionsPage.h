#pragma once
// The options page of the game view: game options, control keys and interface choices, each control holding
// one of a player's options. What a change does is the main window's business; the page only lays them out.

#include "platform/uSubscription.h"
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

// A read-only edit that shows the name of the key bound to one action; it captures the key pressed in it.
class TKeyEdit : public QLineEdit {
    Q_OBJECT
public:
    TKeyEdit(QWidget* parent, int slot);
    int Slot() const { return slot_; }
    // Told of every key pressed in the edit, as a virtual-key code (0 for a key without one).
    void SetKeyHandler(std::function<void(TKeyEdit*, uint16_t)> handler) { keyHandler_ = std::move(handler); }

protected:
    // Tab and the like reach the capture too: nothing in an edit moves the focus.
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int slot_;
    std::function<void(TKeyEdit*, uint16_t)> keyHandler_;
};

// A spin edit whose value moves only by its spin buttons and the Up and Down keys, one step at a time; a
// typed character is refused with a beep.
class TSpinEdit : public QSpinBox {
    Q_OBJECT
public:
    TSpinEdit(QWidget* parent, const char* name, int minimum, int maximum);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
};

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

private:
    QLabel* AddTitle(const char* name, const char* key, int top);
    QLabel* AddRowLabel(const char* name, const char* key, int top);
    QCheckBox* AddCheckBox(const char* name, const char* key, int top);
    void ApplyTexts();

    std::function<void()> texts_;
    tSubscription languageTarget_;
};
