// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/uBaseDir.h"

std::string BaseDir = ".";
std::vector<std::string> SharedDataDirs;

std::string BasePath(std::string_view name) {
    return BaseDir + "/" + std::string(name);
}

std::vector<std::string> SearchPath(std::string_view name) {
    std::vector<std::string> folders{BasePath(name)};
    for (const std::string& shared : SharedDataDirs) {
        folders.push_back(shared + "/" + std::string(name));
    }
    return folders;
}
