// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the game's command line asks for. Read before any window or guard exists, so that --help and
// --version answer on the terminal alone.

#include <string>

struct tCommandLine {
    enum class tAction { Play, Help, Version, Refuse };
    tAction action = tAction::Play;
    // The data folder named with --dir; empty when none was named.
    std::string dir;
    // The replay file named with --replay, to be watched once a player has logged in; empty when none.
    std::string replay;
    // Why the line was refused, for the terminal.
    std::string error;
};

tCommandLine ParseCommandLine(int argc, const char* const* argv);

// The text --help prints.
std::string UsageText();
