// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Results taken per client address: a token bucket per address, full at the start, refilled at a steady rate.
// A result stored as new spends a token, and so does every replay the server plays, whatever comes of it; a
// refused or repeated upload without a replay costs its sender nothing.

#include <chrono>
#include <string>
#include <unordered_map>

class tRateLimiter {
public:
    using tClock = std::chrono::steady_clock;

    // perMinute tokens come back every minute; a bucket holds at most burst of them.
    tRateLimiter(double perMinute, double burst);

    // Seconds until that address has a token; 0 when it has one now.
    double Wait(const std::string& address, tClock::time_point now) const;
    // Spends a token of that address.
    void Take(const std::string& address, tClock::time_point now);

private:
    struct tBucket {
        double Tokens = 0;
        tClock::time_point Filled;
    };
    // A bucket that has filled up again is the same as none: dropping it keeps the table small.
    void DropFullBuckets(tClock::time_point now);
    double Level(const tBucket& bucket, tClock::time_point now) const;

    double PerSecond;
    double Burst;
    std::unordered_map<std::string, tBucket> Buckets;
};
