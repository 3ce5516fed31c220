// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Players and their options: users.dat with the player logged in now, and the rules a typed name follows.

#include "storage/uPlayerOptions.h"

#include <QString>
#include <QStringList>

#include <string>

class QFont;

class tPlayers {
public:
    // The player logged in now; empty while nobody is.
    const std::string& Current() const { return current_; }
    void LogIn(std::string name) { current_ = std::move(name); }
    void LogOut() { current_.clear(); }

    // The names users.dat holds, sorted ignoring letter case.
    QStringList Names() const;
    // A player's options, the defaults for what the file does not hold.
    tPlayerOptions Options(const std::string& player) const;
    // Stores a player's options; a failed save is told with its reason and the file stays as it was.
    void Save(const std::string& player, const tPlayerOptions& options) const;
    // The same at a log-in: the player's section then comes last in users.dat, which so tells who logged in
    // last.
    void SaveAtLogIn(const std::string& player, const tPlayerOptions& options) const;
    // The player who logged in last; empty when users.dat holds none.
    std::string Latest() const;

private:
    void Store(const std::string& player, const tPlayerOptions& options, bool latest) const;

    std::string current_;
};

// A name as it may be typed: only what the code page holds, and nothing that would break a section line of
// users.dat (line breaks, NUL, square brackets).
bool AcceptableNameText(const QString& text);
// The longest a name may grow once it is this text: one character past the limit width, measured in the
// label's font; -1 leaves the limit as it was.
int NameLengthLimit(const QString& text, const QFont& font, int limitWidth);
