// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/uUserData.h"

#include "storage/uSLIni.h"

tUserOptions DefaultUserOptions() {
    tUserOptions options;
    for (size_t i = 0; i < kUserKeys.size(); ++i)
        options[i] = kUserKeys[i].def;
    return options;
}

int UserInteger(const tUserOptions& options, tUserOption option) {
    if (const auto value = ParseInteger(options[option]))
        return *value;
    return ParseInteger(kUserKeys[option].def).value_or(0);
}

bool UserFlag(const tUserOptions& options, tUserOption option) {
    return UserInteger(options, option) != 0;
}

tUserOptions ReadUserOptions(const tStringListINI& file, std::string_view player) {
    tUserOptions options;
    for (size_t i = 0; i < kUserKeys.size(); ++i) {
        const tUserKey& key = kUserKeys[i];
        const int32_t def = ParseInteger(key.def).value_or(0);
        switch (key.kind) {
        case tUserValue::Text:
            options[i] = file.ReadString(player, key.key, key.def);
            break;
        case tUserValue::Integer:
            options[i] = std::to_string(file.ReadInteger(player, key.key, def));
            break;
        case tUserValue::Flag:
            options[i] = file.ReadBool(player, key.key, def != 0) ? "1" : "0";
            break;
        }
    }
    return options;
}

void WriteUserOptions(tStringListINI& file, std::string_view player, const tUserOptions& options) {
    for (size_t i = 0; i < kUserKeys.size(); ++i)
        file.WriteString(player, kUserKeys[i].key, options[i]);
}

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
