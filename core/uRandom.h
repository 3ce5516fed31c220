// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's one pseudo-random generator: a 32-bit linear congruential state shared by the figure draw and
// the broken lines. Seeding it is how a test replays a game.

#include <cstdint>
#include <functional>

void SeedRandom(uint32_t seed);
uint32_t RandomState();
// Where a new well's seed comes from: the program installs SteadyClockSeed, a test a fixed seed. Returns the
// source it replaces. Without a source every well starts from 0.
using tSeedSource = std::function<uint32_t()>;
tSeedSource SetSeedSource(tSeedSource source);
// Seeds from the source; every new well does this.
void SeedRandomForNewWell();
// The low 32 bits of a steady clock.
uint32_t SteadyClockSeed();
// Steps the state, then returns a number in 0..n - 1.
int RandomBelow(int n);
