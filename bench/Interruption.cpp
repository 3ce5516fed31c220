// SPDX-License-Identifier: GPL-3.0-or-later
#include "Interruption.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <string>
#include <thread>
#include <unistd.h>

namespace {

volatile std::sig_atomic_t caught = 0;

void Catch(int signal) {
    caught = signal;
}

} // namespace

void CatchInterruptions(unsigned limitSeconds) {
    struct sigaction action {};
    action.sa_handler = Catch;
    sigemptyset(&action.sa_mask);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGALRM}) {
        sigaction(signal, &action, nullptr);
    }
    alarm(limitSeconds);
}

void ThrowIfInterrupted() {
    if (caught == SIGALRM) {
        throw tInterrupted("the benchmark ran past its time limit");
    }
    if (caught != 0) {
        throw tInterrupted("interrupted by signal " + std::to_string(caught));
    }
}

void Pause(double seconds) {
    using tClock = std::chrono::steady_clock;
    const auto end =
        tClock::now() + std::chrono::duration_cast<tClock::duration>(std::chrono::duration<double>(seconds));
    for (;;) {
        ThrowIfInterrupted();
        const auto left = end - tClock::now();
        if (left <= tClock::duration::zero()) {
            return;
        }
        std::this_thread::sleep_for(std::min<tClock::duration>(left, std::chrono::milliseconds(10)));
    }
}
