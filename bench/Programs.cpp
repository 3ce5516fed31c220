// SPDX-License-Identifier: GPL-3.0-or-later
#include "Programs.h"

// The game's headers come before Xlib's, whose macros (Below, AnyKey) would take their names.
#include "core/uResultRecord.h"
#include "core/uRules.h"
#include "storage/uHSEntry.h"

#include "Interruption.h"
#include "Session.h"

#include <sstream>
#include <stdexcept>
#include <unistd.h>

namespace {

// Where the game's controls are in its 640 x 480 main window: the options page lies at (45, 10), its
// difficulty list at (150, 67) and its start level at (150, 102) within it, each 120 x 21.
constexpr int kDifficultyX = 45 + 150 + 60;
constexpr int kDifficultyY = 10 + 67 + 10;
constexpr int kStartLevelX = 45 + 150 + 40;
constexpr int kStartLevelY = 10 + 102 + 10;
// The list's last difficulty, and more steps up than its highest start level needs: the box stops there.
constexpr const tDifficultyRule& kFastest = kDifficulties.back();
constexpr int kStartLevelSteps = kFastest.MaxStartLevel + 2;
// ltris's menu in its 640 x 480 window: "New Game" of the main menu, then "Start Game" of the next one.
constexpr int kLtrisMenuX = 159;
constexpr int kLtrisNewGameY = 267;
constexpr int kLtrisStartGameY = 225;

std::string Installed(const std::string& name) {
    for (const char* folder : {"/usr/games/", "/usr/bin/", "/usr/local/games/", "/usr/local/bin/"}) {
        const std::string path = folder + name;
        if (access(path.c_str(), X_OK) == 0) {
            return path;
        }
    }
    return {};
}

void ClickIn(tSession& session, const tLaunched& launched, int x, int y) {
    int left = 0;
    int top = 0;
    session.Watch().Origin(launched.Window.Id, left, top);
    session.Input().Click(left + x, top + y);
}

void LogInAndPlay(tSession& session, const tLaunched& game) {
    LogIn(session, game);
    session.Input().Key("F2");
}

} // namespace

void LogIn(tSession& session, const tLaunched& game) {
    tFakeInput& input = session.Input();
    input.Focus(game.Window.Id);
    // The player name box has the focus in a new window.
    input.Type("bench");
    input.Key("Return");
    Pause(1.0);
}

std::vector<tProgram> FindPrograms(const std::string& benchFolder, bool sessionBus) {
    tProgram game;
    game.Name = "stakkar";
    game.Path = benchFolder + "/stakkar";
    if (access(game.Path.c_str(), X_OK) != 0) {
        game.Path.clear();
        game.Missing = "build it: cmake --build build";
    }
    game.TitleWord = "Stakkar";
    game.TakesDataFolder = true;
    game.GameNote = "player \"bench\" typed into the name box and Return, then F2 (a new player's options)";
    game.StartGame = LogInAndPlay;

    tProgram ltris;
    ltris.Name = "ltris";
    ltris.Path = Installed("ltris");
    ltris.Missing = "apt-get install ltris";
    ltris.TitleWord = "LTris";
    ltris.GameNote =
        "\"New Game\" and \"Start Game\" clicked: its first game type, Demo, where the computer plays";
    ltris.StartGame = [](tSession& session, const tLaunched& launched) {
        session.Input().Focus(launched.Window.Id);
        ClickIn(session, launched, kLtrisMenuX, kLtrisNewGameY);
        Pause(1.0);
        ClickIn(session, launched, kLtrisMenuX, kLtrisStartGameY);
    };

    tProgram kblocks;
    kblocks.Name = "kblocks";
    kblocks.Path = Installed("kblocks");
    kblocks.Missing = "apt-get install kblocks";
    if (!sessionBus) {
        // It quits at once without a session bus.
        kblocks.Path.clear();
        kblocks.Missing = "apt-get install dbus: kblocks needs a session bus";
    }
    kblocks.TitleWord = "KBlocks";
    kblocks.GameNote = "Ctrl+N (Single Game), at its first difficulty, Easy";
    kblocks.StartGame = [](tSession& session, const tLaunched& launched) {
        session.Input().Focus(launched.Window.Id);
        session.Input().Key("n", "Control_L");
    };
    return {game, ltris, kblocks};
}

void ChooseFastestStart(tSession& session, const tLaunched& game) {
    tFakeInput& input = session.Input();
    input.Focus(game.Window.Id);
    input.Key("F4");
    Pause(0.5);
    // The list opens on the click; its last item is the hardest difficulty.
    ClickIn(session, game, kDifficultyX, kDifficultyY);
    Pause(0.5);
    input.Key("End");
    input.Key("Return");
    Pause(0.3);
    ClickIn(session, game, kStartLevelX, kStartLevelY);
    for (int step = 0; step < kStartLevelSteps; ++step) {
        input.Key("Up");
    }
    input.Key("F3");
    Pause(0.5);
}

std::string FastestStartName() {
    return std::string(kFastest.Name) + ", start level " + std::to_string(kFastest.MaxStartLevel);
}

void CheckFastestStart(const std::string& benchFolder, const std::string& dataFolder) {
    // The game's own data tool reads its high score file: each game over stored the game's start level.
    tChild tool(tChildSpec{{benchFolder + "/stakkar-data", "unpack", dataFolder + "/hscore.dat"},
                           {"PATH=/usr/bin:/bin"},
                           dataFolder,
                           dataFolder + "/unpacked.txt",
                           false});
    if (tool.WaitForExit(10.0) != 0) {
        throw std::runtime_error("stakkar-data cannot read the high scores: " + tool.LogTail());
    }
    const std::string section = "[" + HSSectionName(kGameTypes.front().Name, kFastest.Name) + "]";
    const std::string key(kResultFields[static_cast<size_t>(tResultField::StartLevel)].FileKey);
    std::istringstream lines(tool.Log());
    std::string line;
    bool inSection = false;
    int games = 0;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (!line.empty() && line.front() == '[') {
            inSection = line == section;
            continue;
        }
        const size_t equals = line.find('=');
        if (!inSection || equals == std::string::npos || equals < key.size() ||
            line.compare(equals - key.size(), key.size(), key) != 0) {
            continue;
        }
        if (line.substr(equals + 1) != std::to_string(kFastest.MaxStartLevel)) {
            throw std::runtime_error("a game was played at start level " + line.substr(equals + 1) +
                                     ", not at " + FastestStartName() + ": the options page did not take it");
        }
        ++games;
    }
    if (games == 0) {
        throw std::runtime_error("no game was stored in " + section + ": the options page did not take " +
                                 FastestStartName());
    }
}
