// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What /proc tells of a process from outside: its memory, the processor time it has used and its offspring.

#include <string>
#include <sys/types.h>
#include <vector>

struct tMemory {
    // Resident, proportional (shared pages split among their users) and private (unique to the process), in
    // KiB.
    long RssKb = 0;
    long PssKb = 0;
    long UssKb = 0;
    // The private pages the process wrote (its heap and copies of written pages). Unlike the clean private
    // pages (the library pages no other process maps at the moment), they do not depend on what else runs.
    long PrivateDirtyKb = 0;
};

// From /proc/PID/smaps_rollup; throws when the process is gone or the file says nothing of those figures.
tMemory ReadMemory(pid_t pid);

// utime + stime of /proc/PID/stat in seconds, the threads that ended included; throws when the process is
// gone.
double ReadCpuSeconds(pid_t pid);

// How often the process's living threads have gone to sleep and been woken (the sum of their
// voluntary_ctxt_switches); throws when the process is gone.
long long ReadWakeUps(pid_t pid);

// The 1, 5 and 15 minute load averages as /proc/loadavg gives them.
std::string LoadAverage();

// Every living process whose chain of parents leads to pid, pid left out.
std::vector<pid_t> Descendants(pid_t pid);
