// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Results taken per client address: a token bucket per address, full at the start, refilled at a steady rate.
// A result stored as new spends a token, and so does every replay the server plays, whatever comes of it; a
// refused or repeated upload without a replay costs its sender nothing. One server process on an SQLite file
// keeps the buckets itself (uRateLimiter); the processes on one PostgreSQL database share them in it
// (uAllowanceStore).

#include "server/store/uStoreResult.h"

#include <string>

class tUploadAllowance {
public:
    virtual ~tUploadAllowance() = default;

    // Seconds until that address has a token; 0 when it has one now.
    virtual tStoreResult<double> Wait(const std::string& address) = 0;
    // Spends a token of that address and answers 0 when it has one; otherwise spends nothing and answers the
    // seconds until it has one.
    virtual tStoreResult<double> Take(const std::string& address) = 0;
    // Returns the token a Take spent on an upload that turned out not to count.
    virtual tStoreResult<void> GiveBack(const std::string& address) = 0;
};
