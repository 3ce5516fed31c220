// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Uploads per client address: a token bucket per address, full at the start, refilled at a steady rate.

#include <QHash>
#include <QString>

#include <chrono>

class tRateLimiter {
public:
    using tClock = std::chrono::steady_clock;

    // perMinute tokens come back every minute; a bucket holds at most burst of them.
    tRateLimiter(double perMinute, double burst);

    // Takes a token of that address; false when its bucket is empty.
    bool Take(const QString& address, tClock::time_point now);

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
    QHash<QString, tBucket> Buckets;
};
