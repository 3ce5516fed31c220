// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A TCP client on plain sockets, for what no HTTP library sends: requests from a chosen loopback address,
// with any header lines, cut short, endless, or never sent at all.

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

class tRawClient {
public:
    tRawClient() = default;
    ~tRawClient();
    tRawClient(tRawClient&& other) noexcept;
    tRawClient& operator=(tRawClient&&) = delete;
    tRawClient(const tRawClient&) = delete;
    tRawClient& operator=(const tRawClient&) = delete;

    // Connects to 127.0.0.1:port from the address from, any of 127.0.0.0/8; false when it cannot.
    bool Connect(std::uint16_t port, const char* from = "127.0.0.1");
    // Sends all of bytes; false once the server has closed or reset the connection.
    bool Send(std::string_view bytes);
    // What the server sends until it closes the connection, or until timeout passes.
    std::string ReadUntilClosed(std::chrono::milliseconds timeout);
    // True when the server closes the connection within timeout.
    bool ClosedWithin(std::chrono::milliseconds timeout);

private:
    int Socket = -1;
};

// One request on a fresh connection from the address from, and the whole answer; the request should ask for
// "Connection: close".
std::string Exchange(std::uint16_t port, const std::string& request, const char* from = "127.0.0.1");
// The number after "Name:" in the answer's head; -1 when there is no such line.
long HeaderNumber(const std::string& answer, const std::string& name);
