// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every file the program writes lies under BaseDir, the data folder main() chose. Skins and languages are
// looked up there first and then in the shared folders, where an installed copy keeps the ones it ships.

#include <string>
#include <string_view>
#include <vector>

extern std::string BaseDir;
extern std::vector<std::string> SharedDataDirs;

// BaseDir joined with a relative name.
std::string BasePath(std::string_view name);

// The folder name under BaseDir, then under each shared folder: the order in which they are searched.
std::vector<std::string> SearchPath(std::string_view name);
