// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window: the log-in view, the about panel and the game view with its well and options pages; the
// player's options, the control keys and the window-wide key hook. The players are a class of their own that
// the window holds; the options page holds the key bindings. The controls stay the window's own: tests and
// tools find them by their object names.

#include "core/uGameRecord.h"
#include "platform/uSubscription.h"
#include "shell/uPlayers.h"
#include "shell/uView.h"
#include "storage/uPlayerOptions.h"

#include <QWidget>

#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <string>

class QComboBox;
class QFrame;
class QLabel;
class TAboutPanel;
class TOptionsPage;
class tFullScreen;
class tGamepads;
class tGlass;
class tKeyHook;
class tMyButton;
class tShortcuts;
class tWindowSkin;

inline constexpr const char* kApplicationTitle = "Stakkar";

class TMainForm : public QWidget {
    Q_OBJECT
public:
    // Builds the window (FormCreate) over the files of BaseDir.
    TMainForm();
    ~TMainForm() override;

    using tView = ::tView;
    tView View() const { return view_; }

    void iGameClick();
    void iOptClick();
    void iAboutClick();
    void iAboutCloseClick();
    void iExitClick() { close(); }
    void SetFullScreen(bool on);
    bool FullScreen() const;
    // The widget that takes the keys of the window now (the window's focus or the window itself).
    QWidget* KeyTarget() const;
    void TakeKeys();

    void FillUserList();
    void bLogInClick();
    void LoadUserData(const std::string& player);
    void SaveUserData(const std::string& player);
    void iUserClick();
    // The standard options, skin and language left as they are.
    void iDefOptClick();
    void iLoadClick() { LoadUserData(players_.Current()); }
    void iSaveClick() { SaveUserData(players_.Current()); }

    bool OptionsChanged() const { return optionsChanged_; }

    bool KeysValid() const;
    void AppDeactivate();
    // Game controllers act as keys do: on the well page a button runs the actions bound to it and Start
    // pauses or starts a game; on the options page a button binds the action whose button edit has the
    // focus.
    void ListenTo(tGamepads& gamepads);

    // The logged-in player's name; empty while nobody is logged in.
    const std::string& CurrentPlayer() const { return players_.Current(); }
    tGlass* Glass() const { return glass_.get(); }
    // Brings the window to the front, as a second start of the program asks.
    void BringToFront();
    // Reads a replay file and has the well play it back once it shows (after the log-in, when nobody is
    // logged in yet); a file that is no replay is told and left as it is.
    void OpenReplay(const std::string& path);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildLoginView();
    void BuildGameView();
    void WireOptions();
    // The options page shows these options and the well follows it. While a game runs the four game options
    // stay as they are: a paused game goes on with the settings it was started with, and leaving the page
    // does not reset its well.
    void ShowOptions(tPlayerOptions options);
    void cbUsersChange(const QString& text);
    // The one place views change: what shows follows view.
    void Show(tView view);
    void DrawTabs(bool wellPage);
    void ApplyTexts();
    void ApplySkinPictures();
    bool Owns(const QWidget* widget) const;
    void MakeShortcuts();
    void FormClose();
    void WatchOpenedReplay();
    void GamepadPress(const QString& button, bool repeat);

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

    std::unique_ptr<tGlass> glass_;
    std::unique_ptr<tWindowSkin> windowSkin_;
    tPlayers players_;
    tView view_ = tView::Login;
    std::unique_ptr<tFullScreen> fullScreen_;
    std::unique_ptr<tShortcuts> shortcuts_;
    bool optionsChanged_ = false;
    QString lastGoodName_;
    // The longest a typed name may grow, in characters.
    qsizetype nameLimit_ = std::numeric_limits<int>::max();
    bool closed_ = false;
    std::optional<tGameRecord> openedReplay_;
    tSubscription languageTarget_;
    tSubscription skinTarget_;
    tSubscription skinListTarget_;
    // Last, so that it goes first: no key is heard by a window half gone.
    std::unique_ptr<tKeyHook> keyHook_;
};
