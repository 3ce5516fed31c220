// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every new well starts from the same seed for as long as it lives, so a game can be replayed.

#include "core/uRandom.h"

#include <cstdint>

class tScopedSeed {
public:
    explicit tScopedSeed(uint32_t seed) : previous_(SetSeedSource([seed] { return seed; })) {}
    ~tScopedSeed() { SetSeedSource(std::move(previous_)); }
    tScopedSeed(const tScopedSeed&) = delete;
    tScopedSeed& operator=(const tScopedSeed&) = delete;

private:
    tSeedSource previous_;
};
