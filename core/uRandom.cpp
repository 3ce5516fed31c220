// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/uRandom.h"

#include <chrono>
#include <utility>

namespace {

tSeedSource& Source() {
    static tSeedSource source;
    return source;
}

} // namespace

tSeedSource SetSeedSource(tSeedSource source) {
    return std::exchange(Source(), std::move(source));
}

uint32_t NextSeed() {
    return Source() ? Source()() : 0;
}

uint32_t SteadyClockSeed() {
    const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
    return static_cast<uint32_t>(static_cast<uint64_t>(ticks) & 0xFFFFFFFFu);
}
