// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Choosing the data folder: the one folder the players' and high score files live in, and the first place
// skins and languages are looked for.

#include <string>

// A folder laid out for the game: it holds skin/, lang/, users.dat or hscore.dat.
bool IsGameFolder(const std::string& folder);

// The user's own data folder: <xdgDataHome>/stakkar, or <home>/.local/share/stakkar when xdgDataHome is
// empty or relative (a relative one is to be ignored).
std::string UserDataFolder(const std::string& xdgDataHome, const std::string& home);

// The folder named on the command line when there is one; else the working folder when it is a game folder,
// so folders laid out by hand keep working; else the user's data folder. Always an absolute path.
std::string ChooseDataFolder(const std::string& named, const std::string& workingFolder,
                             const std::string& xdgDataHome, const std::string& home);
