// SPDX-License-Identifier: GPL-3.0-or-later
#include "server/http/uDescriptorBudget.h"

#include <sys/resource.h>

#include <algorithm>

size_t ConnectionsWithinDescriptors(size_t wanted) {
    rlimit limit{};
    if (getrlimit(RLIMIT_NOFILE, &limit) != 0) {
        return wanted;
    }
    const rlim_t needed = wanted + kReservedDescriptors;
    if (limit.rlim_cur != RLIM_INFINITY && limit.rlim_cur < needed) {
        rlimit raised = limit;
        raised.rlim_cur = limit.rlim_max == RLIM_INFINITY ? needed : std::min(limit.rlim_max, needed);
        if (setrlimit(RLIMIT_NOFILE, &raised) == 0) {
            limit = raised;
        }
    }
    if (limit.rlim_cur == RLIM_INFINITY || limit.rlim_cur >= needed) {
        return wanted;
    }
    // A limit too small even for the reserve still serves a few, one at the least.
    const rlim_t left =
        limit.rlim_cur > kReservedDescriptors ? limit.rlim_cur - kReservedDescriptors : limit.rlim_cur / 4;
    return std::max<size_t>(1, left);
}
