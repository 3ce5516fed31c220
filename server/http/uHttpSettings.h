// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How far the server trusts a connection: the bounds that keep one greedy or slow client from taking the
// memory, descriptors and time that the others need, and the proxy whose word on a client's address counts.

#include "storage/uHSUpload.h"

#include <boost/asio/ip/address.hpp>

#include <chrono>
#include <cstddef>
#include <optional>

// The request line and header lines together, the bound the game makes its upload addresses for; a longer
// request line is answered 414, longer header lines 431.
inline constexpr size_t kMaxHeadBytes = kMaxRequestHeadBytes;

struct tHttpSettings {
    // From a connection's opening, or a request's first byte, to the end of its header lines.
    std::chrono::milliseconds HeaderTimeout{10000};
    // A kept-alive connection waiting for its next request.
    std::chrono::milliseconds IdleTimeout{15000};
    size_t ConnectionsPerAddress = 32;
    // Lowered at start to what the descriptor limit leaves room for.
    size_t Connections = 1000;
    // Replay checks waiting for a worker, in all; those over it are answered 503.
    size_t CheckQueue = 64;
    // Replay checks of one client address waiting or running; those over it are answered 503.
    size_t ChecksPerAddress = 2;
    // Requests from this address name their client in X-Forwarded-For; it is held to the total cap only.
    std::optional<boost::asio::ip::address> TrustedProxy;
    // A line on stderr for every answer.
    bool AccessLog = true;
};
