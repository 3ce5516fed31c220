// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Ctrl+C, a kill or the benchmark's own time limit: every wait of the benchmark looks here, so that it stops
// by unwinding, and the programs and the display it started are ended on the way out.

#include <stdexcept>

struct tInterrupted : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// SIGINT, SIGTERM and SIGHUP, and the end of the given seconds, interrupt the benchmark.
void CatchInterruptions(unsigned limitSeconds);
void ThrowIfInterrupted();
// Sleeps in short steps, throwing tInterrupted as soon as an interruption comes.
void Pause(double seconds);
