// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The upload allowance of a server that is the only one on its database, in this process's memory.

#include "server/store/uUploadAllowance.h"

#include <chrono>
#include <string>
#include <unordered_map>

class tRateLimiter final : public tUploadAllowance {
public:
    // perMinute tokens come back every minute; a bucket holds at most burst of them.
    tRateLimiter(double perMinute, double burst);

    tStoreResult<double> Wait(const std::string& address) override;
    tStoreResult<double> Take(const std::string& address) override;
    tStoreResult<void> GiveBack(const std::string& address) override;

private:
    using tClock = std::chrono::steady_clock;
    struct tBucket {
        double Tokens = 0;
        tClock::time_point Filled;
    };
    // A bucket that has filled up again is the same as none: dropping it keeps the table small.
    void DropFullBuckets(tClock::time_point now);
    double Level(const tBucket& bucket, tClock::time_point now) const;
    double WaitAt(double level) const;

    double PerSecond;
    double Burst;
    std::unordered_map<std::string, tBucket> Buckets;
};
