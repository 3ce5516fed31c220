// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The tables the server keeps: one per game type and difficulty of the game's rules.

#include "core/uRules.h"

#include <string_view>

bool IsGameType(std::string_view name);
