// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The HTTP side of the score server: one thread, one event loop, every connection read and written without
// blocking. It accepts as long as it is up, holds each connection to the bounds of its settings and refuses
// those over a cap with a short answer, so that no one client can crowd out the others. Work an answer asks
// for away from the loop, such as playing a game again, runs on a worker thread for each processor, in the
// turn the check queue gives it.

#include "server/http/uCheckQueue.h"
#include "server/http/uConnectionCounts.h"
#include "server/http/uHttpSession.h"
#include "server/http/uHttpSettings.h"
#include "server/http/uMetrics.h"

#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/signal_set.hpp>
#include <boost/asio/steady_timer.hpp>
#include <boost/asio/thread_pool.hpp>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class tHttpServer {
public:
    // Every answer is counted in metrics, which also shows the check queue's length; it outlives this.
    tHttpServer(const tHttpSettings& settings, tHttpHandler handler, tMetrics& metrics);

    // False, with problem set, when the address and port cannot be had.
    bool Listen(const boost::asio::ip::address& address, std::uint16_t port, std::string& problem);
    // The port listened on, which the system chose when Listen was given 0.
    std::uint16_t Port() const;
    // Serves until SIGINT or SIGTERM, then stops accepting, closes the connections waiting for a request,
    // answers those in flight, the checks running too, and returns once they are done or kStopWithin is up.
    void Run();

private:
    void Accept();
    void Accepted(boost::system::error_code error, boost::asio::ip::tcp::socket socket);
    // Hands the heap's free memory back to the system once no check has come for a moment.
    void GiveBackMemoryWhenIdle();
    void Stop();
    // Ends the loop once no connection is left, or the time is up.
    void AwaitLastConnection(std::chrono::steady_clock::time_point giveUp);

    tHttpSettings Settings;
    tHttpHandler Handler;
    tMetrics& Metrics;
    tConnectionCounts Counts;
    // Set while accepting fails, so the failure is reported once rather than at every try.
    bool Failing = false;
    // Declared after what the connections use: the loop goes first, and the connections it still holds with
    // it.
    boost::asio::io_context Loop{1};
    boost::asio::ip::tcp::acceptor Acceptor{Loop};
    boost::asio::steady_timer Pause{Loop};
    boost::asio::signal_set Signals{Loop};
    boost::asio::steady_timer Trim{Loop};
    boost::asio::steady_timer Stopping{Loop};
    // Every connection open, so that a stop can close those that wait for nothing.
    std::vector<std::weak_ptr<tHttpSession>> Sessions;
    // Declared after the loop: the sessions its checks keep are let go while their sockets' loop is there.
    tCheckQueue Queue;
    // Declared after the loop: the workers are joined first, and their last answers find the loop still
    // there.
    boost::asio::thread_pool Workers;
};
