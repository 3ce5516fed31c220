// SPDX-License-Identifier: GPL-3.0-or-later
#include "Strays.h"

#include "ProcStats.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <set>
#include <stdexcept>
#include <string>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

void BecomeSubreaper() {
    if (prctl(PR_SET_CHILD_SUBREAPER, 1) != 0) {
        throw std::runtime_error(std::string("cannot become a subreaper: ") + std::strerror(errno));
    }
}

int EndStrays(const std::vector<pid_t>& kept) {
    std::set<pid_t> killed;
    // A stray may start another while it is being killed: look again until none is left.
    for (int pass = 0; pass < 10; ++pass) {
        std::vector<pid_t> strays = Descendants(getpid());
        std::erase_if(strays,
                      [&kept](pid_t pid) { return std::find(kept.begin(), kept.end(), pid) != kept.end(); });
        if (strays.empty()) {
            break;
        }
        for (const pid_t pid : strays) {
            if (kill(pid, SIGKILL) == 0) {
                killed.insert(pid);
            }
        }
        // Children of this process are reaped here; the others by their parents, or by this process once
        // their parents are gone.
        for (int wait = 0; wait < 100; ++wait) {
            bool left = false;
            for (const pid_t pid : strays) {
                const pid_t reaped = waitpid(pid, nullptr, WNOHANG);
                left = left || (reaped == 0 && kill(pid, 0) == 0);
            }
            if (!left) {
                break;
            }
            usleep(10'000);
        }
    }
    return static_cast<int>(killed.size());
}
