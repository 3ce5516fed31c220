// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The tables the server keeps: one per game type and difficulty, named as the game's option lists name them.

#include <array>
#include <optional>
#include <string_view>

inline constexpr std::array<std::string_view, 2> kGameTypes{"Standart", "Extended"};
inline constexpr std::array<std::string_view, 4> kDifficulties{"Easy", "Normal", "Hard", "Impossible"};

bool IsGameType(std::string_view name);
// The difficulty's place in the game's list, 0 for "Easy"; nothing for a name the game does not offer.
std::optional<int> DifficultyIndex(std::string_view name);
// The highest start level the game lets a player choose at that difficulty.
int MaxStartLevel(int difficultyIndex);
