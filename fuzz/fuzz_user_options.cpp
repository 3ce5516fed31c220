// Feeds arbitrary bytes to the reading of users.dat as the game reads it at log-in: from the file (a damaged
// one is kept aside), then every player's options, written back and read again unchanged.

#include "FuzzFile.h"
#include "platform/uMessage.h"
#include "storage/uUserData.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const tMessagePresenter quiet = SetMessagePresenter([](const std::string&) {});
    tUsersFile file = ReadUsersFile(WriteFuzzFile("users.dat", data, size));
    if (!file.damage.keptAs.empty()) {
        // Kept copies would pile up, one an input, and each would make the next one's name slower to find.
        std::remove((FuzzFolder() + file.damage.keptAs).c_str());
    }
    tStringList players;
    file.ini.ReadSections(players);
    // Each player costs a pass over the file for every key; a few reach all the code there is.
    for (int n = 0; n < std::min(players.Count(), 8); ++n) {
        const std::string& player = players[n];
        const tUserOptions options = ReadUserOptions(file.ini, player);
        (void)UserInteger(options, uoStartLevel);
        (void)UserFlag(options, uoSounds);
        if (!ValidUserName(player)) {
            continue;
        }
        WriteUserOptions(file.ini, player, options);
        if (ReadUserOptions(file.ini, player) != options) {
            std::abort();
        }
    }
    return 0;
}
