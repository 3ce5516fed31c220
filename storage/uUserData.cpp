// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/uUserData.h"

tUsersFile ReadUsersFile(const std::string& path) {
    tUsersFile file;
    file.damage = ReadDataFile(file.ini, path);
    file.writable = !file.damage.leftInPlace;
    return file;
}

bool ValidUserName(std::string_view name) {
    if (name.empty())
        return false;
    for (const char c : name)
        if (c == '\r' || c == '\n' || c == '\0' || c == '[' || c == ']')
            return false;
    return true;
}
