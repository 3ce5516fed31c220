// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/uCommandLine.h"

#include <string_view>

tCommandLine ParseCommandLine(int argc, const char* const* argv) {
    tCommandLine line;
    const auto refuse = [&line](std::string why) {
        line.action = tCommandLine::tAction::Refuse;
        line.error = std::move(why) + "\nTry 'stakkar --help' for the options.";
        return line;
    };
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            line.action = tCommandLine::tAction::Help;
            return line;
        }
        if (arg == "--version") {
            line.action = tCommandLine::tAction::Version;
            return line;
        }
        if (arg == "--dir") {
            if (i + 1 >= argc || std::string_view(argv[i + 1]).empty()) {
                return refuse("stakkar: --dir needs a folder");
            }
            line.dir = argv[++i];
        } else if (arg.starts_with("--dir=")) {
            line.dir = arg.substr(6);
            if (line.dir.empty()) {
                return refuse("stakkar: --dir needs a folder");
            }
        } else {
            return refuse("stakkar: unknown option '" + std::string(arg) + "'");
        }
    }
    return line;
}

std::string UsageText() {
    return "Usage: stakkar [--dir DIR]\n"
           "A falling-block puzzle game.\n"
           "\n"
           "  --dir DIR   keep players, high scores, skins and languages in DIR\n"
           "  --help      show this text\n"
           "  --version   show the version\n"
           "\n"
           "Without --dir the game uses the folder it starts in when that holds skin/, lang/, users.dat or\n"
           "hscore.dat, and otherwise $XDG_DATA_HOME/stakkar (~/.local/share/stakkar). Skins and languages "
           "are\n"
           "also found among those installed with the game.\n";
}
