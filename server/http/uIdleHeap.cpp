// SPDX-License-Identifier: GPL-3.0-or-later
#include "server/http/uIdleHeap.h"

#include <malloc.h>

void ShareOneArena() {
    mallopt(M_ARENA_MAX, 1);
}

void GiveBackFreeHeap() {
    malloc_trim(0);
}
