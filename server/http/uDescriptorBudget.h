// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How many connections the process's descriptor limit has room for. A server that runs out of descriptors
// can no longer accept anyone, so the connection cap stays below the limit.

#include "server/http/uConnectionCounts.h"

#include <cstddef>

// Kept back from connections: the listener, the database and its files, the standard streams and the
// refusals being written.
inline constexpr size_t kReservedDescriptors = kMaxRefusals + 64;

// At most wanted. Raises the soft limit toward the hard one first, as far as wanted needs.
size_t ConnectionsWithinDescriptors(size_t wanted);
