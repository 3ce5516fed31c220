// SPDX-License-Identifier: GPL-3.0-or-later
#include "server/check/uScoreTables.h"

bool IsGameType(std::string_view name) {
    return GameTypeIndex(name).has_value();
}
