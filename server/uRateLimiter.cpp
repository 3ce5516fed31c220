// SPDX-License-Identifier: GPL-3.0-or-later
#include "server/uRateLimiter.h"

#include <algorithm>

namespace {

// Addresses remembered before full buckets are swept out.
constexpr qsizetype kSweepAt = 10000;

} // namespace

tRateLimiter::tRateLimiter(double perMinute, double burst) : PerSecond(perMinute / 60.0), Burst(burst) {}

double tRateLimiter::Level(const tBucket& bucket, tClock::time_point now) const {
    const double seconds = std::chrono::duration<double>(now - bucket.Filled).count();
    return std::min(Burst, bucket.Tokens + seconds * PerSecond);
}

void tRateLimiter::DropFullBuckets(tClock::time_point now) {
    for (auto it = Buckets.begin(); it != Buckets.end();) {
        it = Level(it.value(), now) >= Burst ? Buckets.erase(it) : std::next(it);
    }
}

bool tRateLimiter::Take(const QString& address, tClock::time_point now) {
    if (Buckets.size() >= kSweepAt) {
        DropFullBuckets(now);
    }
    auto it = Buckets.find(address);
    if (it == Buckets.end()) {
        it = Buckets.insert(address, tBucket{Burst, now});
    }
    const double level = Level(it.value(), now);
    if (level < 1.0) {
        return false;
    }
    it.value() = tBucket{level - 1.0, now};
    return true;
}
