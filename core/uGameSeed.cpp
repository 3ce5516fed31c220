// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/uGameSeed.h"

std::string SeedText(std::string_view lowerName, std::string_view startTime, const tGameSettings& settings) {
    std::string text(lowerName);
    text += '\n';
    text += startTime;
    text += '\n';
    text += kGameTypes[static_cast<size_t>(settings.GameType)].Name;
    text += '\n';
    text += kDifficulties[static_cast<size_t>(settings.Difficulty)].Name;
    text += '\n';
    text += std::to_string(settings.StartLevel);
    text += '\n';
    text += std::to_string(settings.BrokenLines);
    return text;
}

uint32_t GameSeed(std::string_view lowerName, std::string_view startTime, const tGameSettings& settings) {
    uint64_t hash = 14695981039346656037u;
    for (const char c : SeedText(lowerName, startTime, settings)) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211u;
    }
    return static_cast<uint32_t>(hash ^ (hash >> 32));
}
