// SPDX-License-Identifier: GPL-3.0-or-later
#include "server/http/uHttpSession.h"

#include "server/http/uAccessLog.h"
#include "server/http/uClientAddress.h"
#include "server/http/uHttpRefusal.h"

#include <boost/asio/post.hpp>
#include <boost/beast/http/error.hpp>
#include <boost/beast/http/write.hpp>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <limits>

namespace {

namespace http = boost::beast::http;
using boost::asio::ip::tcp;
using boost::system::error_code;

// After a refusal the server stops sending but still reads and drops what the client sends, for a moment and
// up to a bound: closing with unread bytes would reset the connection and could destroy the answer before
// the client has read it.
constexpr std::chrono::milliseconds kLingerTime{2000};
constexpr size_t kLingerBytes = 256 * 1024;
constexpr size_t kDrainChunk = 4096;
// A buffer grown by a long head is given back when the connection waits for its next request.
constexpr size_t kKeptBufferBytes = 4096;

} // namespace

tHttpSession::tHttpSession(tcp::socket socket, boost::asio::ip::address peer, tAdmission admission,
                           const tHttpSettings& settings, const tHttpHandler& handler,
                           tConnectionCounts& counts, tCheckQueue& queue, boost::asio::thread_pool& workers,
                           tMetrics& metrics)
    : Socket(std::move(socket)), Deadline(Socket.get_executor()), Peer(peer), Admission(admission),
      Settings(settings), Handler(handler), Counts(counts), Queue(queue), Workers(workers), Metrics(metrics) {
}

tHttpSession::~tHttpSession() {
    Counts.Release(Peer, Admission);
}

void tHttpSession::Start() {
    error_code ignored;
    Socket.non_blocking(true, ignored);
    // Answers are written whole in one go; nothing is gained by holding their last segment back.
    Socket.set_option(tcp::no_delay(true), ignored);
    BeginRequest();
    if (Admission == tAdmission::Refuse) {
        Refuse(http::status::service_unavailable);
        return;
    }
    Arm(Settings.HeaderTimeout);
    AwaitHead();
}

void tHttpSession::Stop() {
    Ending = true;
    if (Idle) {
        Close();
    }
}

void tHttpSession::Arm(std::chrono::milliseconds timeout) {
    Deadline.expires_after(timeout);
    Deadline.async_wait([self = shared_from_this()](error_code error) {
        // A deadline that fired while it was being moved later has not passed.
        if (!error && self->Deadline.expiry() <= std::chrono::steady_clock::now()) {
            self->TimedOut();
        }
    });
}

void tHttpSession::TimedOut() {
    if (Check == tCheck::Waiting) {
        Queue.Withdraw(Ticket);
        RefuseCheck();
        return;
    }
    Close();
}

void tHttpSession::BeginRequest() {
    Parser.emplace();
    Parser->header_limit(static_cast<std::uint32_t>(kMaxHeadBytes));
    // A body is refused once its announcement is read, and never read itself, so its size needs no limit
    // here. (Boost 1.74 takes boost::none for "no limit" as a limit of nothing.)
    Parser->body_limit(std::numeric_limits<std::uint64_t>::max());
    Parsed = 0;
    Began = std::chrono::steady_clock::now();
    Route = tHttpReply{}.Route;
    Client = Peer.to_string();
}

// Waiting for bytes, rather than reading into a buffer made ready for them, costs an idle connection no
// buffer at all.
void tHttpSession::AwaitHead() {
    Socket.async_wait(tcp::socket::wait_read,
                      [self = shared_from_this()](error_code error) { self->ReadHead(error); });
}

void tHttpSession::ReadHead(error_code error) {
    if (error) {
        Close();
        return;
    }
    if (Idle) {
        Idle = false;
        Began = std::chrono::steady_clock::now();
        Arm(Settings.HeaderTimeout);
    }
    // One byte past the bound is enough to know it was crossed.
    const size_t room = kMaxHeadBytes + 1 - HeadBytes();
    const size_t available = Socket.available(error);
    const size_t got = Socket.read_some(Buffer.prepare(std::clamp<size_t>(available, 1, room)), error);
    if (error == boost::asio::error::would_block) {
        AwaitHead();
        return;
    }
    if (error) {
        // The client went away or closed with its head unfinished: there is no one to answer.
        Close();
        return;
    }
    Buffer.commit(got);
    Parse();
}

void tHttpSession::Parse() {
    error_code error;
    while (Buffer.size() > 0 && !Parser->is_header_done()) {
        const size_t used = Parser->put(Buffer.data(), error);
        Parsed += used;
        Buffer.consume(used);
        if (error || used == 0) {
            break;
        }
    }
    if (Parser->is_header_done()) {
        Answer();
    } else if (error == http::error::header_limit || HeadBytes() > kMaxHeadBytes) {
        Refuse(RequestLineEnded() ? http::status::request_header_fields_too_large
                                  : http::status::uri_too_long);
    } else if (error == http::error::bad_transfer_encoding) {
        Refuse(http::status::payload_too_large);
    } else if (error && error != http::error::need_more) {
        Refuse(http::status::bad_request);
    } else {
        AwaitHead();
    }
}

void tHttpSession::Answer() {
    const auto& request = Parser->get();
    if (Parser->chunked() || Parser->content_length().value_or(0) > 0 ||
        request.find(http::field::transfer_encoding) != request.end()) {
        Refuse(http::status::payload_too_large);
        return;
    }
    const bool head = request.method() == http::verb::head;
    if (!head && request.method() != http::verb::get) {
        Send(Refusal(http::status::method_not_allowed), false, request.keep_alive());
        return;
    }
    std::optional<std::string_view> forwardedFor;
    for (auto [field, end] = request.equal_range("X-Forwarded-For"); field != end; ++field) {
        forwardedFor = std::string_view(field->value().data(), field->value().size());
    }
    const std::string client = ClientAddress(Peer, Settings.TrustedProxy, forwardedFor).to_string();
    Client = client;
    const auto target = request.target();
    tHttpReply reply = Handler(std::string_view(target.data(), target.size()), client, head);
    // A check's answer is the finish's, which does not know the route; the route is the one it was sent to.
    Route = reply.Route;
    if (reply.Work) {
        SendLater(std::move(reply), client, head, request.keep_alive());
        return;
    }
    Send(std::move(reply), head, request.keep_alive());
}

void tHttpSession::SendLater(tHttpReply reply, const std::string& client, bool head, bool keepAlive) {
    // The session reads nothing while it waits for its answer; its deadline still runs until the check
    // starts.
    Check = tCheck::Waiting;
    const std::optional<tCheckQueue::tTicket> ticket = Queue.Add(
        client,
        [self = shared_from_this(), work = std::move(reply.Work), head, keepAlive]() mutable {
            self->RunCheck(std::move(work), head, keepAlive);
        },
        [self = shared_from_this()] { self->RefuseCheck(); });
    if (!ticket) {
        RefuseCheck();
        return;
    }
    Ticket = *ticket;
    if (Check == tCheck::Waiting) {
        WatchClient();
    }
}

void tHttpSession::RunCheck(std::function<tHttpFinish()> work, bool head, bool keepAlive) {
    Check = tCheck::Running;
    error_code ignored;
    Socket.cancel(ignored);
    // A check once started is worth its answer, however long the client waits for it; Send arms the deadline
    // again.
    Deadline.expires_at(std::chrono::steady_clock::time_point::max());
    boost::asio::post(Workers, [self = shared_from_this(), work = std::move(work), head, keepAlive] {
        boost::asio::post(self->Socket.get_executor(), [self, finish = work(), head, keepAlive] {
            self->Check = tCheck::None;
            self->Queue.Finished(self->Ticket);
            self->Send(finish(), head, keepAlive);
        });
    });
}

void tHttpSession::WatchClient() {
    Socket.async_wait(tcp::socket::wait_read, [self = shared_from_this()](error_code error) {
        if (error == boost::asio::error::operation_aborted || self->Check != tCheck::Waiting) {
            return;
        }
        char byte = 0;
        if (!error) {
            self->Socket.receive(boost::asio::buffer(&byte, 1), tcp::socket::message_peek, error);
        }
        if (error == boost::asio::error::would_block) {
            self->WatchClient();
        } else if (error) {
            // At the end of its stream, or reset: the client has gone, and there is no one to check for.
            self->Check = tCheck::None;
            self->Queue.Withdraw(self->Ticket);
            self->Close();
        }
        // Otherwise it sent more, which waits its turn unread; it is still there.
    });
}

void tHttpSession::RefuseCheck() {
    Check = tCheck::None;
    error_code ignored;
    Socket.cancel(ignored);
    Send(ChecksRefusal(Queue.RetrySeconds()), Parser->get().method() == http::verb::head, false);
}

void tHttpSession::Refuse(http::status status) {
    Send(Refusal(status), Parser->get().method() == http::verb::head, false);
}

void tHttpSession::Send(tHttpReply reply, bool head, bool keepAlive) {
    Reply = std::move(reply);
    // A browser that holds this version of a file already is told so without it.
    for (const auto& [field, value] : Reply.Headers) {
        if (field == http::field::etag && Reply.Status == http::status::ok &&
            Parser->get()[http::field::if_none_match] == value) {
            Reply.Status = http::status::not_modified;
            Reply.Body.clear();
        }
    }
    const auto took = std::chrono::steady_clock::now() - Began;
    Metrics.Count(Route, static_cast<unsigned>(Reply.Status), took);
    if (Settings.AccessLog) {
        const auto& request = Parser->get();
        const auto method = request.method_string();
        const auto target = request.target();
        const std::string line =
            AccessLine(Client, {method.data(), method.size()}, {target.data(), target.size()},
                       static_cast<unsigned>(Reply.Status), static_cast<size_t>(Reply.Body.size()),
                       std::chrono::duration<double, std::milli>(took).count());
        std::fprintf(stderr, "%s\n", line.c_str());
    }
    tResponse& response = Response.emplace(Reply.Status, Parser->get().version());
    response.set(http::field::content_type, Reply.Type);
    response.set("X-Content-Type-Options", "nosniff");
    // Nothing on these pages runs or loads from elsewhere, whatever a name holds, and no other site may
    // show them inside its own; a page that plays a game names what it runs in a policy of its own.
    response.set("Content-Security-Policy",
                 Reply.Policy.empty()
                     ? "default-src 'none'; style-src 'unsafe-inline'; frame-ancestors 'none'"
                     : Reply.Policy);
    response.set(http::field::x_frame_options, "DENY");
    for (const auto& [field, value] : Reply.Headers) {
        response.set(field, value);
    }
    response.content_length(static_cast<std::uint64_t>(Reply.Body.size()));
    response.keep_alive(keepAlive && !Ending);
    if (!head) {
        response.body() = {Reply.Body.constData(), static_cast<size_t>(Reply.Body.size())};
    }
    Arm(Settings.HeaderTimeout);
    http::async_write(Socket, response, [self = shared_from_this(), keepAlive](error_code error, size_t) {
        self->Sent(error, keepAlive);
    });
}

void tHttpSession::Sent(error_code error, bool keepAlive) {
    Response.reset();
    Reply = {};
    if (error) {
        Close();
    } else if (!keepAlive || Ending) {
        Linger();
    } else {
        BeginRequest();
        if (Buffer.size() > 0) {
            Arm(Settings.HeaderTimeout);
            Parse();
            return;
        }
        if (Buffer.capacity() > kKeptBufferBytes) {
            Buffer.shrink_to_fit();
        }
        Idle = true;
        Arm(Settings.IdleTimeout);
        AwaitHead();
    }
}

void tHttpSession::Linger() {
    error_code ignored;
    Socket.shutdown(tcp::socket::shutdown_send, ignored);
    Buffer.clear();
    Buffer.shrink_to_fit();
    Arm(kLingerTime);
    Drain();
}

void tHttpSession::Drain() {
    Socket.async_wait(tcp::socket::wait_read, [self = shared_from_this()](error_code error) {
        if (error) {
            self->Close();
            return;
        }
        const size_t got = self->Socket.read_some(self->Buffer.prepare(kDrainChunk), error);
        self->Drained += got;
        if (error == boost::asio::error::would_block) {
            self->Drain();
        } else if (error || self->Drained > kLingerBytes) {
            // At the client's end of stream it has read the answer and gone; past the bound it has had its
            // chance.
            self->Close();
        } else {
            self->Drain();
        }
    });
}

void tHttpSession::Close() {
    error_code ignored;
    Deadline.cancel();
    Socket.close(ignored);
}

size_t tHttpSession::HeadBytes() const {
    return Parsed + Buffer.size();
}

bool tHttpSession::RequestLineEnded() const {
    // The parser takes the request line out of the buffer only when it is whole.
    const auto bytes = Buffer.cdata();
    return Parsed > 0 || std::memchr(bytes.data(), '\n', bytes.size()) != nullptr;
}
