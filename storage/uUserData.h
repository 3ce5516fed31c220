// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// users.dat as a whole: reading it with its damage handled, and the names its sections may have. A player's
// section is read and written as one value by uPlayerOptions.

#include "storage/uPackIni.h"

#include <string>
#include <string_view>

// What reading users.dat gave. A damaged file is copied aside and removed, so the next save starts a clean
// file, and the document is empty; when no copy could be made the file stays and may not be saved over.
// damage says what the player must be told, when its tell is set.
struct tUsersFile {
    tStringListPackedINI ini;
    bool writable = true;
    tDamagedFile damage;
};
tUsersFile ReadUsersFile(const std::string& path);

// A name can be a section of users.dat: not empty, no line break or NUL, no bracket that would end the
// section line early.
bool ValidUserName(std::string_view name);
