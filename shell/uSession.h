// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The game's run from its start to its close, and the players who log in and out within it: the well that
// lives from a log-in to its log-out, the player's options loaded into the options page and saved from it,
// and the built-in texts and key names every player starts from. Which view shows is the window's business:
// the session is told when the options page or the well comes.

#include "shell/uPlayers.h"
#include "storage/uPlayerOptions.h"

#include <QObject>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class QWidget;
class TOptionsPage;
class tGlass;

class tSession : public QObject {
public:
    // A log-in makes its well on wellPage; setFullScreen(on) applies the player's full screen option.
    tSession(QWidget& wellPage, TOptionsPage& options, std::function<void(bool on)> setFullScreen);
    ~tSession() override;
    tSession(const tSession&) = delete;
    tSession& operator=(const tSession&) = delete;

    // The names users.dat holds, for the player box.
    QStringList Players() const { return players_.Names(); }
    // Logs the typed name in; an empty name, or one users.dat cannot hold, only sounds an error. The player
    // gets a new well, and the options page the stored options, fitted to its lists and stored back at once.
    bool LogIn(const QString& typed);
    // The options are saved when AutoSave is on; the default skin comes back, full screen ends and the well
    // goes.
    void LogOut();
    // The program ends, once: the options saved as at a log-out, the built-in texts let go.
    void Close();

    // The logged-in player's name; empty while nobody is logged in.
    const std::string& Player() const { return players_.Current(); }
    tGlass* Glass() const { return glass_.get(); }
    void LoadUserData(const std::string& player);
    void SaveUserData(const std::string& player);
    // The standard options, skin and language left as they are.
    void ShowStandard();
    // Every key of the options page is a known one, none bound twice.
    bool KeysValid() const;
    // A game option changed since the options page came.
    bool OptionsChanged() const { return optionsChanged_; }

    // The options page comes: the game pauses, and while it runs its four game options take no change.
    void ToOptions();
    // The well comes back, unless a key is unbound or bound twice (told). A changed game option shows its
    // table and an empty well.
    bool ToWell();
    // The window, or a controller, went away while the well showed: with AutoPause the game pauses.
    void AutoPause();
    // The options page's keys and buttons reach the well.
    void BindKey(int slot, uint16_t code);
    void BindButton(int slot, const std::string& name);

private:
    // While a game runs the four game options stay as they are: a paused game goes on with the settings it
    // was started with, and leaving the page does not reset its well.
    void ShowOptions(tPlayerOptions options);
    void WireOptions();

    QWidget& wellPage_;
    TOptionsPage& options_;
    std::function<void(bool)> setFullScreen_;
    tPlayers players_;
    std::unique_ptr<tGlass> glass_;
    bool optionsChanged_ = false;
    bool closed_ = false;
};
