// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the players' data as users.dat holds it (packed, or the plain text inside): every
// player's options are read, written back and read again unchanged, through the units the game reads and
// saves them with.

#include "FuzzDocument.h"
#include "storage/uPackIni.h"
#include "storage/uPlayerOptions.h"
#include "storage/uUserData.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tStringListPackedINI file;
    ReadFuzzDocument(file, data, size);
    tStringList players;
    file.ReadSections(players);
    // Each player costs a pass over the file for every key; a few reach all the code there is.
    for (int n = 0; n < std::min(players.Count(), 8); ++n) {
        const std::string& player = players[n];
        const tPlayerOptions options = ReadPlayerOptions(file, player);
        if (!ValidUserName(player)) {
            continue;
        }
        WritePlayerOptions(file, player, options);
        if (ReadPlayerOptions(file, player) != options) {
            std::abort();
        }
    }
    return 0;
}
