// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Choosing the data folder: the one folder the players' and high score files live in, and the first place
// skins and languages are looked for.

#include <string>

// A folder the game has kept its files in: it holds users.dat or hscore.dat. Skins or languages alone do not
// make one, so that a source tree or a downloads folder holding them never takes a player's files.
bool IsGameFolder(const std::string& folder);

// The user's own data folder: <xdgDataHome>/stakkar, or <home>/.local/share/stakkar when xdgDataHome is
// empty or relative (a relative one is to be ignored).
std::string UserDataFolder(const std::string& xdgDataHome, const std::string& home);

// The folder named on the command line when there is one; else the working folder when it is a game folder,
// so folders laid out by hand keep working; else the user's data folder. Always an absolute path.
std::string ChooseDataFolder(const std::string& named, const std::string& workingFolder,
                             const std::string& xdgDataHome, const std::string& home);

// Why the folder named on the command line (relative to the working folder) can hold no file: it, or the
// nearest thing on its path that exists, is no folder, so every save would fail. Empty when it is a folder,
// or when it can be made at the first save.
std::string NamedFolderProblem(const std::string& named, const std::string& workingFolder);
