// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One client connection from its opening to its close. It reads each request's head within the size and time
// bounds and never a request body, hands GET and HEAD on, keeps the connection for the next request while the
// client wants it, and closes so that a refused client can still read why. An answer that needs a replay
// checked waits its turn in the check queue, watched: a client that closes meanwhile, or whose request passes
// the header timeout while it waits, costs no check. A check once started is answered when it ends.

#include "server/http/uCheckQueue.h"
#include "server/http/uConnectionCounts.h"
#include "server/http/uHttpReply.h"
#include "server/http/uHttpSettings.h"
#include "server/http/uMetrics.h"

#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/steady_timer.hpp>
#include <boost/asio/thread_pool.hpp>
#include <boost/beast/core/flat_buffer.hpp>
#include <boost/beast/http/empty_body.hpp>
#include <boost/beast/http/message.hpp>
#include <boost/beast/http/parser.hpp>
#include <boost/beast/http/span_body.hpp>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

// The answer to a GET of target (the request line's address) from the client at that address.
// head: the request is a HEAD, which the handler answers as a GET unless the address must not be asked so.
using tHttpHandler = std::function<tHttpReply(std::string_view target, const std::string& client, bool head)>;

class tHttpSession : public std::enable_shared_from_this<tHttpSession> {
public:
    // peer is the connecting address, which counts admitted as admission says; the session releases it.
    // Work an answer asks for runs on the workers when the queue gives it its turn.
    tHttpSession(boost::asio::ip::tcp::socket socket, boost::asio::ip::address peer, tAdmission admission,
                 const tHttpSettings& settings, const tHttpHandler& handler, tConnectionCounts& counts,
                 tCheckQueue& queue, boost::asio::thread_pool& workers, tMetrics& metrics);
    ~tHttpSession();
    tHttpSession(const tHttpSession&) = delete;
    tHttpSession& operator=(const tHttpSession&) = delete;

    // Reads the first request; a refused connection is answered 503 at once.
    void Start();
    // The server stops: a connection waiting for its next request is closed now, one in flight once its
    // answer is sent.
    void Stop();

private:
    using tResponse = boost::beast::http::response<boost::beast::http::span_body<const char>>;

    // What is waiting for a worker, if anything.
    enum class tCheck { None, Waiting, Running };

    // Closes the connection when the time is up, unless Arm is called again first; a check still waiting is
    // answered 503 instead.
    void Arm(std::chrono::milliseconds timeout);
    void TimedOut();
    void BeginRequest();
    void AwaitHead();
    void ReadHead(boost::system::error_code error);
    void Parse();
    void Answer();
    void Refuse(boost::beast::http::status status);
    // Queues the reply's work for the client at that address, runs it on a worker in its turn, then sends
    // what it comes to from the loop's thread.
    void SendLater(tHttpReply reply, const std::string& client, bool head, bool keepAlive);
    void RunCheck(std::function<tHttpFinish()> work, bool head, bool keepAlive);
    // Ends the wait of a queued check when the client closes its end.
    void WatchClient();
    // A check that has no room, or lost it, is answered 503 with when to come back.
    void RefuseCheck();
    void Send(tHttpReply reply, bool head, bool keepAlive);
    void Sent(boost::system::error_code error, bool keepAlive);
    void Linger();
    void Drain();
    void Close();
    size_t HeadBytes() const;
    bool RequestLineEnded() const;

    boost::asio::ip::tcp::socket Socket;
    boost::asio::steady_timer Deadline;
    boost::asio::ip::address Peer;
    tAdmission Admission;
    const tHttpSettings& Settings;
    const tHttpHandler& Handler;
    tConnectionCounts& Counts;
    tCheckQueue& Queue;
    boost::asio::thread_pool& Workers;
    tMetrics& Metrics;
    // Since this request's first byte, and the route that answers it.
    std::chrono::steady_clock::time_point Began;
    std::string_view Route;
    // The client as the access log names it: the forwarded address behind the trusted proxy.
    std::string Client;

    boost::beast::flat_buffer Buffer;
    std::optional<boost::beast::http::request_parser<boost::beast::http::empty_body>> Parser;
    // Bytes of this request's head that the parser has taken out of the buffer.
    size_t Parsed = 0;
    // Between requests of a kept-alive connection, until the next one's first byte.
    bool Idle = false;
    bool Ending = false;
    // Bytes read and dropped while lingering before the close.
    size_t Drained = 0;
    tCheck Check = tCheck::None;
    tCheckQueue::tTicket Ticket = 0;
    tHttpReply Reply;
    std::optional<tResponse> Response;
};
