// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/uRandom.h"

#include <chrono>
#include <utility>

namespace {
uint32_t state = 0;

tSeedSource& Source() {
    static tSeedSource source;
    return source;
}
} // namespace

void SeedRandom(uint32_t seed) {
    state = seed;
}

uint32_t RandomState() {
    return state;
}

tSeedSource SetSeedSource(tSeedSource source) {
    return std::exchange(Source(), std::move(source));
}

void SeedRandomForNewWell() {
    SeedRandom(Source() ? Source()() : 0);
}

uint32_t SteadyClockSeed() {
    const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
    return static_cast<uint32_t>(static_cast<uint64_t>(ticks) & 0xFFFFFFFFu);
}

int RandomBelow(int n) {
    state = state * 134775813u + 1u;
    return static_cast<int>((static_cast<uint64_t>(state) * static_cast<uint32_t>(n)) >> 32);
}
