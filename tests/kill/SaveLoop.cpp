// SPDX-License-Identifier: GPL-3.0-or-later
// stakkar-save-loop FOLDER USERS_STEP SCORES_STEP: starts as the game does in FOLDER (reading users.dat and
// the high score table, which removes what killed saves left behind), prints "ready" and, once a line comes
// on standard input, saves through the game's own code without end: a player's options to users.dat and a
// finished game to hscore.dat with its replay beside it, taking the steps after the ones given. After each
// save it prints "users N" or "scores N", so whoever kills it knows the last step that was surely stored.

#include "engine/uhiscore.h"
#include "platform/uBaseDir.h"
#include "platform/uMessage.h"
#include "shell/uPlayers.h"
#include "tests/kill/uKillGenerations.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fputs("usage: stakkar-save-loop FOLDER USERS_STEP SCORES_STEP\n", stderr);
        return 2;
    }
    QCoreApplication app(argc, argv);
    BaseDir = argv[1];
    int64_t usersStep = std::strtoll(argv[2], nullptr, 10);
    int64_t scoresStep = std::strtoll(argv[3], nullptr, 10);
    SetMessagePresenter([](const QString& text) { std::fprintf(stderr, "message: %s\n", qPrintable(text)); });

    tPlayers players;
    (void)players.Names();
    tHiScore table;
    table.LoadTable(kKillGameType, kKillDifficulty, kKillPlayer);
    std::puts("ready");
    std::fflush(stdout);
    // The harness looks beside the files before the first save begins, then says "go".
    char go[8];
    if (!std::fgets(go, sizeof go, stdin)) {
        return 1;
    }

    // A replay of some KiB, so that its save takes a while as a long game's does.
    tGameRecord replay{{0, 1, 1, 0}, 1, "01.01.24 12:00:00", 1, {}};
    for (int64_t press = 0; press < 4000; ++press) {
        replay.Presses.push_back({press, 1, press * 7});
    }
    replay.Ticks = 4000;

    for (;;) {
        players.Save(kKillPlayer, OptionsOfStep(++usersStep));
        std::printf("users %lld\n", static_cast<long long>(usersStep));
        std::fflush(stdout);

        ++scoresStep;
        table.LoadTable(kKillGameType, kKillDifficulty, kKillPlayer);
        tHS game;
        static_cast<tResultTexts&>(game) = {"01.01.24 12:00:00", "1:00", "1", "0", "1 [1,0/m]", "0 [0,0/m]"};
        game.Name = kKillPlayer;
        game.Level = 1;
        game.Score = ScoreOfStep(scoresStep);
        table.UpdateCurrent(tLiveGame{true, game});
        table.SaveResult(game, replay);
        std::printf("scores %lld\n", static_cast<long long>(scoresStep));
        std::fflush(stdout);
    }
}
