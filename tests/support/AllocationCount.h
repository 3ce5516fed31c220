// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Counts the heap allocations made by every thread of the test program while a guard lives: the program's
// own malloc, calloc, realloc and aligned forms stand in front of the C library's (AllocationCount.cpp,
// linked into the program that uses it). Under AddressSanitizer, which replaces the allocator itself, nothing
// is counted and Counting() says so.

#include <cstdint>

class tAllocationCount {
public:
    tAllocationCount();
    ~tAllocationCount();
    tAllocationCount(const tAllocationCount&) = delete;
    tAllocationCount& operator=(const tAllocationCount&) = delete;

    static bool Counting();
    // Allocations since the guard was made.
    uint64_t Allocations() const;
};
