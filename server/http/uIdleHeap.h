// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The heap between floods. KeepReplayMemory keeps what a check freed for the next one; once checks stop, that
// memory, as much as a flood of them grew the heap by, goes back to the system.

// One arena for every thread, so that all the heap can be given back: glibc returns the free top of the main
// arena but not of the arenas it makes for other threads. A check allocates too seldom for the workers to
// wait on each other. For the whole process: main() calls it once, before the workers start.
void ShareOneArena();
// Hands the heap's free pages back to the system; it walks the heap, so it belongs off the loop's thread.
void GiveBackFreeHeap();
