#include "engine/core/uRandom.h"

#include <chrono>

namespace {
uint32_t state = 0;
}

void SeedRandom(uint32_t seed) {
    state = seed;
}

uint32_t RandomState() {
    return state;
}

void SeedRandomFromClock() {
    const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
    SeedRandom(static_cast<uint32_t>(static_cast<uint64_t>(ticks) & 0xFFFFFFFFu));
}

int RandomBelow(int n) {
    state = state * 134775813u + 1u;
    return static_cast<int>((static_cast<uint64_t>(state) * static_cast<uint32_t>(n)) >> 32);
}
