// SPDX-License-Identifier: GPL-3.0-or-later
#include "uRawClient.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

namespace {

// Whether the socket has something to read, or has been closed, within timeout.
bool Readable(int socket, std::chrono::milliseconds timeout) {
    pollfd wanted{socket, POLLIN, 0};
    return poll(&wanted, 1, static_cast<int>(timeout.count())) > 0;
}

} // namespace

tRawClient::~tRawClient() {
    if (Socket >= 0) {
        close(Socket);
    }
}

tRawClient::tRawClient(tRawClient&& other) noexcept : Socket(other.Socket) {
    other.Socket = -1;
}

bool tRawClient::Connect(std::uint16_t port, const char* from) {
    Socket = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in local{};
    local.sin_family = AF_INET;
    inet_pton(AF_INET, from, &local.sin_addr);
    sockaddr_in server{};
    server.sin_family = AF_INET;
    server.sin_port = htons(port);
    server.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return Socket >= 0 && bind(Socket, reinterpret_cast<sockaddr*>(&local), sizeof local) == 0 &&
           connect(Socket, reinterpret_cast<sockaddr*>(&server), sizeof server) == 0;
}

bool tRawClient::Send(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t sent = send(Socket, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (sent < 0 && errno == EINTR) {
            continue;
        }
        if (sent <= 0) {
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(sent));
    }
    return true;
}

std::string tRawClient::ReadUntilClosed(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    std::string received;
    char chunk[16384];
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0 || !Readable(Socket, left)) {
            return received;
        }
        const ssize_t got = recv(Socket, chunk, sizeof chunk, 0);
        if (got <= 0) {
            return received;
        }
        received.append(chunk, static_cast<size_t>(got));
    }
}

bool tRawClient::ClosedWithin(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    char chunk[4096];
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0 || !Readable(Socket, left)) {
            return false;
        }
        if (recv(Socket, chunk, sizeof chunk, 0) <= 0) {
            return true;
        }
    }
}

std::string Exchange(std::uint16_t port, const std::string& request, const char* from) {
    tRawClient client;
    if (!client.Connect(port, from) || !client.Send(request)) {
        return {};
    }
    return client.ReadUntilClosed(std::chrono::seconds(30));
}

long HeaderNumber(const std::string& answer, const std::string& name) {
    const size_t head = answer.find("\r\n\r\n");
    const size_t at = answer.find("\r\n" + name + ": ");
    if (at == std::string::npos || at > head) {
        return -1;
    }
    return std::stol(answer.substr(at + name.size() + 4));
}
