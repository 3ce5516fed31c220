// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How the uploads ended since the server started, for its metrics: results taken (stored as new or known
// already), refused for any reason, and taken with a replay that proves them.

#include <atomic>
#include <cstdint>

struct tResultTally {
    std::atomic<std::uint64_t> Taken{0};
    std::atomic<std::uint64_t> Refused{0};
    std::atomic<std::uint64_t> Verified{0};
};
