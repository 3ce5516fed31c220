#pragma once
// The program's one pseudo-random generator: a 32-bit linear congruential state shared by the figure draw and
// the broken lines. Seeding it is how a test replays a game.

#include <cstdint>

void SeedRandom(uint32_t seed);
uint32_t RandomState();
// Seeds from the low 32 bits of a steady clock; every new well does this.
void SeedRandomFromClock();
// Steps the state, then returns a number in 0..n - 1.
int RandomBelow(int n);
