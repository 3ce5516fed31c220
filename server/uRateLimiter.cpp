// SPDX-License-Identifier: GPL-3.0-or-later
#include "server/uRateLimiter.h"

#include <algorithm>
#include <iterator>

namespace {

// Addresses remembered before full buckets are swept out.
constexpr size_t kSweepAt = 10000;

} // namespace

tRateLimiter::tRateLimiter(double perMinute, double burst) : PerSecond(perMinute / 60.0), Burst(burst) {}

double tRateLimiter::Level(const tBucket& bucket, tClock::time_point now) const {
    const double seconds = std::chrono::duration<double>(now - bucket.Filled).count();
    return std::min(Burst, bucket.Tokens + seconds * PerSecond);
}

double tRateLimiter::WaitAt(double level) const {
    return level >= 1.0 ? 0.0 : (1.0 - level) / PerSecond;
}

void tRateLimiter::DropFullBuckets(tClock::time_point now) {
    for (auto it = Buckets.begin(); it != Buckets.end();) {
        it = Level(it->second, now) >= Burst ? Buckets.erase(it) : std::next(it);
    }
}

tStoreResult<double> tRateLimiter::Wait(const std::string& address) {
    const auto it = Buckets.find(address);
    return WaitAt(it == Buckets.end() ? Burst : Level(it->second, tClock::now()));
}

tStoreResult<double> tRateLimiter::Take(const std::string& address) {
    const tClock::time_point now = tClock::now();
    if (Buckets.size() >= kSweepAt) {
        DropFullBuckets(now);
    }
    const auto [it, added] = Buckets.try_emplace(address, tBucket{Burst, now});
    const double level = Level(it->second, now);
    if (level < 1.0) {
        return WaitAt(level);
    }
    it->second = tBucket{level - 1.0, now};
    return 0.0;
}

tStoreResult<void> tRateLimiter::GiveBack(const std::string& address) {
    const tClock::time_point now = tClock::now();
    if (const auto it = Buckets.find(address); it != Buckets.end()) {
        it->second = tBucket{std::min(Burst, Level(it->second, now) + 1.0), now};
    }
    return {};
}
