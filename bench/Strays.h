// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The processes a program leaves behind. A program may start helpers that leave its process group (a
// daemon, a bus service); once this process is their subreaper, every such orphan becomes its child, so that
// the benchmark can find them all and end them after each program.

#include <sys/types.h>
#include <vector>

// Makes this process the subreaper of everything it starts; throws when the kernel refuses.
void BecomeSubreaper();

// Kills every descendant of this process but those kept, reaps those that are its children, and returns
// how many were killed.
int EndStrays(const std::vector<pid_t>& kept);
