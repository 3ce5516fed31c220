// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/uCommandLine.h"

#include "platform/uDataFolder.h"

#include <QDir>

#include <string_view>

namespace {

// The options that take a value, as "--name VALUE" or "--name=VALUE".
struct tValueOption {
    std::string_view name;
    std::string tCommandLine::*field;
    // What the value names, for the message when it is missing.
    std::string_view what;
};
constexpr tValueOption kValueOptions[] = {
    {"--dir", &tCommandLine::dir, "a folder"},
    {"--replay", &tCommandLine::replay, "a file"},
};

} // namespace

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
        const tValueOption* option = nullptr;
        std::string_view value;
        for (const tValueOption& candidate : kValueOptions) {
            if (arg == candidate.name) {
                option = &candidate;
                value = i + 1 < argc ? std::string_view(argv[++i]) : std::string_view();
            } else if (arg.starts_with(candidate.name) && arg.size() > candidate.name.size() &&
                       arg[candidate.name.size()] == '=') {
                option = &candidate;
                value = arg.substr(candidate.name.size() + 1);
            }
        }
        if (option == nullptr) {
            return refuse("stakkar: unknown option '" + std::string(arg) + "'");
        }
        if (value.empty()) {
            return refuse("stakkar: " + std::string(option->name) + " needs " + std::string(option->what));
        }
        line.*(option->field) = value;
    }
    // Refused here rather than met at every save of the game.
    if (!line.dir.empty()) {
        const std::string why = NamedFolderProblem(line.dir, QDir::currentPath().toStdString());
        if (!why.empty()) {
            return refuse("stakkar: --dir " + why);
        }
    }
    return line;
}

std::string UsageText() {
    return "Usage: stakkar [--dir DIR] [--replay FILE]\n"
           "A falling-block puzzle game.\n"
           "\n"
           "  --dir DIR       keep players, high scores, skins and languages in DIR; a folder\n"
           "                  that does not exist yet is made at the first save\n"
           "  --replay FILE   watch the game recorded in FILE once a player has logged in\n"
           "  --help          show this text\n"
           "  --version       show the version\n"
           "\n"
           "Without --dir the game uses the folder it starts in when that holds users.dat or hscore.dat,\n"
           "and otherwise $XDG_DATA_HOME/stakkar (~/.local/share/stakkar). Skins and languages are looked\n"
           "for there first, then among those installed with the game.\n"
           "\n"
           "While a game is watched, Pause pauses it, + and - change its speed (x1, x2, x4, x8) and Escape\n"
           "ends it.\n";
}
