// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window: it builds its views (the log-in view, the about panel, and the game view with its well and
// options pages) and switches between them. What happens within them belongs to units of their own, each
// handed what it needs: the session (log-in, log-out, the well and the player's options), full screen, the
// shortcut table and its key hook, game controllers and the replay opened from the command line. The
// controls stay the window's own: tests and tools find them by their object names.

#include "platform/uSubscription.h"
#include "shell/uSession.h"
#include "shell/uView.h"

#include <QWidget>

#include <memory>
#include <string>

class QFrame;
class QLabel;
class TAboutPanel;
class TLogInPage;
class TOptionsPage;
class tFullScreen;
class tKeyRepeat;
class tGamepadInput;
class tGamepads;
class tGlass;
class tKeyHook;
class tMyButton;
class tOpenedReplay;
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

    void bLogInClick();
    void iUserClick();
    // The standard options, skin and language left as they are.
    void iDefOptClick() { session_->ShowStandard(); }
    void iLoadClick() { session_->LoadUserData(session_->Player()); }
    void iSaveClick() { session_->SaveUserData(session_->Player()); }
    bool OptionsChanged() const { return session_->OptionsChanged(); }
    bool KeysValid() const { return session_->KeysValid(); }
    // The window lost the focus: with AutoPause a game on the well page pauses.
    void AppDeactivate();
    // Game controllers act as keys do, while this window is the active one.
    void ListenTo(tGamepads& gamepads);

    // The logged-in player's name; empty while nobody is logged in.
    const std::string& CurrentPlayer() const { return session_->Player(); }
    tGlass* Glass() const { return session_->Glass(); }
    // Brings the window to the front, as a second start of the program asks.
    void BringToFront();
    // Reads a replay file and has the well play it back once it shows (after the log-in, when nobody is
    // logged in yet); a file that is no replay is told and left as it is.
    void OpenReplay(const std::string& path);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildGameView();
    // The one place views change: what shows follows view.
    void Show(tView view);
    void DrawTabs(bool wellPage);
    void ApplyTexts();
    void ApplySkinPictures();
    bool Owns(const QWidget* widget) const;
    void MakeShortcuts();
    // The player's repeat delay and rate, for keys and controller buttons.
    void ApplyRepeat();

    QWidget* client = nullptr;
    TLogInPage* pLogIn = nullptr;
    TAboutPanel* pAbout = nullptr;
    QFrame* pGame = nullptr;
    QFrame* pGlass = nullptr;
    QLabel* iBGLeft = nullptr;
    QLabel* iBGBottom = nullptr;
    QLabel* iBGRight = nullptr;
    TOptionsPage* pConf = nullptr;
    QLabel* iGame = nullptr;
    QLabel* iOpt = nullptr;
    tMyButton* iHelp = nullptr;
    tMyButton* iUser = nullptr;
    tMyButton* iExitGame = nullptr;

    tView view_ = tView::Login;
    std::unique_ptr<tFullScreen> fullScreen_;
    std::unique_ptr<tSession> session_;
    std::unique_ptr<tOpenedReplay> openedReplay_;
    std::unique_ptr<tGamepadInput> gamepadInput_;
    std::unique_ptr<tShortcuts> shortcuts_;
    std::unique_ptr<tKeyRepeat> keyRepeat_;
    // The controllers listened to; null while there are none.
    tGamepads* gamepads_ = nullptr;
    std::unique_ptr<tWindowSkin> windowSkin_;
    tSubscription languageTarget_;
    tSubscription skinTarget_;
    tSubscription skinListTarget_;
    // Last, so that it goes first: no key is heard by a window half gone.
    std::unique_ptr<tKeyHook> keyHook_;
};
