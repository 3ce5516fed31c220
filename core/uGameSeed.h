// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The seed of a game follows from what its result names, so that one game belongs to one player and one
// moment: a replay plays to its result only under the name, start time and settings it was played with, and
// no one chooses the figures of a game but by choosing when to start it.

#include "core/uGameSettings.h"

#include <cstdint>
#include <string>
#include <string_view>

// The text the seed is made of: the player's name in lower case (every letter of the code page, Cyrillic
// too), the start time as the result keeps it, the game type's and the difficulty's names, the start level
// and the broken lines, each on a line of its own: "ivan\n10.12.26 14:05:09\nStandart\nEasy\n1\n0".
std::string SeedText(std::string_view lowerName, std::string_view startTime, const tGameSettings& settings);
// The 64-bit FNV-1a hash of the seed text (offset basis 14695981039346656037, prime 1099511628211), its upper
// 32 bits XORed into the lower.
uint32_t GameSeed(std::string_view lowerName, std::string_view startTime, const tGameSettings& settings);
