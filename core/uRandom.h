// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The pseudo-random generator of a game: a 32-bit linear congruential state that serves the figure draw and
// the broken lines. A game owns one and is seeded when it starts, so the same seed plays the same game again.

#include <cstdint>

class tRandom {
public:
    explicit tRandom(uint32_t seed = 0) : state_(seed) {}
    void Seed(uint32_t seed) { state_ = seed; }
    uint32_t State() const { return state_; }
    // Steps the state, then returns a number in 0..n - 1.
    int Below(int n) {
        state_ = state_ * 134775813u + 1u;
        return static_cast<int>((static_cast<uint64_t>(state_) * static_cast<uint32_t>(n)) >> 32);
    }

private:
    uint32_t state_;
};
