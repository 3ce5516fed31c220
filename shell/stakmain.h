// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window: the log-in view, the about panel and the game view with its well and options pages; the
// player's options, the control keys and the window-wide key hook. The players and the key bindings are
// classes of their own that the window holds.

#include "platform/uSubscription.h"
#include "shell/uKeys.h"
#include "shell/uPlayers.h"
#include "storage/uKeyNames.h"
#include "storage/uUserData.h"

#include <QWidget>

#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <string>

class QComboBox;
class QFrame;
class QGraphicsProxyWidget;
class QGraphicsScene;
class QGraphicsView;
class QLabel;
class TAboutPanel;
class TKeyEdit;
class TOptionsPage;
class tGlass;
class tMyButton;
class tWindowSkin;

inline constexpr const char* kApplicationTitle = "Stakkar";

class TMainForm : public QWidget {
    Q_OBJECT
public:
    // Builds the window (FormCreate) over the files of BaseDir.
    TMainForm();
    ~TMainForm() override;

    enum class tView { Login, About, Well, Options };
    tView View() const;

    void iGameClick();
    void iOptClick();
    void iAboutClick();
    void iAboutCloseClick();
    void iExitClick() { close(); }
    void SetFullScreen(bool on);
    bool FullScreen() const { return fullScreen_; }
    // The widget that takes the keys of the window now (the window's focus or the window itself).
    QWidget* KeyTarget() const;
    void TakeKeys();

    void FillUserList();
    void bLogInClick();
    void LoadUserData(const std::string& player);
    void SaveUserData(const std::string& player);
    void iUserClick();
    void iDefOptClick();
    void iLoadClick() { LoadUserData(players_.Current()); }
    // The standard and restore option buttons: while a game runs the four game options stay as they are;
    // otherwise the engine follows the lists they changed.
    void OptionButtonClick(const std::function<void()>& fill);
    void iSaveClick() { SaveUserData(players_.Current()); }
    // The controls' values as users.dat stores them.
    tUserOptions ControlOptions() const;

    void cbGTypeChange();
    void cbDifficultChange();
    bool OptionsChanged() const { return optionsChanged_; }

    bool KeysValid() const { return keys_->Valid(); }
    // Fixed keys act on the views and the game; every other key goes to the engine while the well shows.
    void FormShortCut(uint16_t code);
    void AppDeactivate();

    // The hint window's colours, in the order of the skin's Hint section: arrow, arrow background, text,
    // background, border. Hints carry no arrow here, so those two are kept for the record only.
    void SetHintColors(uint32_t arrow, uint32_t arrowBackground, uint32_t text, uint32_t background,
                       uint32_t border);

    const tKeyNames& KeyNames() const { return keys_->Names(); }
    // The logged-in player's name; empty while nobody is logged in.
    const std::string& CurrentPlayer() const { return players_.Current(); }
    tGlass* Glass() const { return glass_.get(); }
    // Brings the window to the front, as a second start of the program asks.
    void BringToFront();

    QWidget* client = nullptr;
    QFrame* pLogIn = nullptr;
    QLabel* lTitle = nullptr;
    QLabel* iLogIn = nullptr;
    QLabel* lUserName = nullptr;
    QComboBox* cbUsers = nullptr;
    TAboutPanel* pAbout = nullptr;
    QFrame* pGame = nullptr;
    QFrame* pGlass = nullptr;
    QLabel* iBGLeft = nullptr;
    QLabel* iBGBottom = nullptr;
    QLabel* iBGRight = nullptr;
    TOptionsPage* pConf = nullptr;
    QLabel* iGame = nullptr;
    QLabel* iOpt = nullptr;
    tMyButton* bLogIn = nullptr;
    tMyButton* iAbout = nullptr;
    tMyButton* iExit = nullptr;
    tMyButton* iHelp = nullptr;
    tMyButton* iUser = nullptr;
    tMyButton* iExitGame = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void BuildLoginView();
    void BuildGameView();
    void WireOptions();
    void cbUsersChange(const QString& text);
    void DrawTabs(bool wellPage);
    void ApplyTexts();
    void ApplySkinPictures();
    void FitClient();
    bool Owns(const QWidget* widget) const;
    bool KeyHookSees(QObject* watched) const;
    void FormClose();

    std::unique_ptr<tGlass> glass_;
    std::unique_ptr<tWindowSkin> windowSkin_;
    tPlayers players_;
    std::unique_ptr<tKeyBindings> keys_;
    bool fullScreen_ = false;
    QGraphicsScene* scene_ = nullptr;
    QGraphicsProxyWidget* proxy_ = nullptr;
    QGraphicsView* view_ = nullptr;
    bool optionsChanged_ = false;
    QString lastGoodName_;
    // The longest a typed name may grow, in characters.
    qsizetype nameLimit_ = std::numeric_limits<int>::max();
    bool closed_ = false;
    tSubscription languageTarget_;
    tSubscription skinTarget_;
    tSubscription skinListTarget_;
    tSubscription skinListMirror_;
    tSubscription languageListMirror_;
};
