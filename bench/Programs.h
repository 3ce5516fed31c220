// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The programs measured side by side: the game and two falling-block games from Debian, each with how it is
// started, the word its main window's title bears, and how a game is begun in it from outside.

#include <functional>
#include <string>
#include <vector>

class tSession;
struct tLaunched;

struct tProgram {
    std::string Name;
    // The program file; empty when it is not installed, and Missing says what to install.
    std::string Path;
    std::string Missing;
    std::string TitleWord;
    // The game takes its data folder on the command line; the others keep theirs in the home.
    bool TakesDataFolder = false;
    // What StartGame does, for the report.
    std::string GameNote;
    std::function<void(tSession&, const tLaunched&)> StartGame;
};

// The game from the folder of this benchmark (build/bin), then ltris and kblocks.
std::vector<tProgram> FindPrograms(const std::string& benchFolder, bool sessionBus);

// Logs the player "bench" in to the game's window, as a person does: the name typed, then Return.
void LogIn(tSession& session, const tLaunched& game);

// In a game window whose player is logged in: the options page set to the fastest start (the hardest
// difficulty at its highest start level) and back to the well, as a player sets it with the keys and the
// mouse.
void ChooseFastestStart(tSession& session, const tLaunched& game);
// "Impossible, start level 10".
std::string FastestStartName();
// Throws unless every game stored in the game's data folder was played at the fastest start.
void CheckFastestStart(const std::string& benchFolder, const std::string& dataFolder);
