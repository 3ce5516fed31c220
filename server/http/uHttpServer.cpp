// SPDX-License-Identifier: GPL-3.0-or-later
#include "server/http/uHttpServer.h"

#include "server/http/uClientAddress.h"
#include "server/http/uIdleHeap.h"

#include <boost/asio/post.hpp>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <memory>
#include <thread>

namespace {

using boost::asio::ip::tcp;
using boost::system::error_code;

// How long accepting rests after it failed, for want of descriptors or memory, before it tries again:
// trying at once would spin on the same failure.
constexpr std::chrono::milliseconds kAcceptPause{100};
// How long no check has to come before the heap gives back what the checks freed: while uploads come one
// after another, the next check finds its memory ready.
constexpr std::chrono::milliseconds kTrimAfter{1000};
// A stop waits this long at most for the answers in flight, well within the 10 s a supervisor allows.
constexpr std::chrono::milliseconds kStopWithin{8000};
constexpr std::chrono::milliseconds kStopPoll{20};

size_t WorkerThreads() {
    return std::max(1u, std::thread::hardware_concurrency());
}

} // namespace

tHttpServer::tHttpServer(const tHttpSettings& settings, tHttpHandler handler, tMetrics& metrics)
    : Settings(settings), Handler(std::move(handler)), Metrics(metrics),
      Counts(settings.Connections, settings.ConnectionsPerAddress),
      Queue(settings.CheckQueue, settings.ChecksPerAddress, WorkerThreads(),
            [this] { GiveBackMemoryWhenIdle(); }),
      Workers(WorkerThreads()) {
    // Read on the loop's thread, which answers /metrics, as the queue is.
    Metrics.AddGauge("stakkar_check_queue_length", "Replay checks waiting for a worker.",
                     [this] { return static_cast<double>(Queue.WaitingChecks()); });
    Metrics.AddGauge("stakkar_checks_running", "Replay checks running on the workers.",
                     [this] { return static_cast<double>(Queue.RunningChecks()); });
}

bool tHttpServer::Listen(const boost::asio::ip::address& address, std::uint16_t port, std::string& problem) {
    const tcp::endpoint endpoint(address, port);
    error_code error;
    Acceptor.open(endpoint.protocol(), error);
    if (!error) {
        Acceptor.set_option(tcp::acceptor::reuse_address(true), error);
    }
    if (!error) {
        Acceptor.bind(endpoint, error);
    }
    if (!error) {
        Acceptor.listen(tcp::socket::max_listen_connections, error);
    }
    if (error) {
        problem = error.message();
        return false;
    }
    return true;
}

std::uint16_t tHttpServer::Port() const {
    error_code error;
    return Acceptor.local_endpoint(error).port();
}

void tHttpServer::Run() {
    Signals.add(SIGINT);
    Signals.add(SIGTERM);
    Signals.async_wait([this](error_code error, int) {
        if (!error) {
            Stop();
        }
    });
    Accept();
    Loop.run();
}

void tHttpServer::Stop() {
    error_code ignored;
    Acceptor.close(ignored);
    Pause.cancel();
    Trim.cancel();
    for (const std::weak_ptr<tHttpSession>& held : Sessions) {
        if (const std::shared_ptr<tHttpSession> session = held.lock()) {
            session->Stop();
        }
    }
    Sessions.clear();
    AwaitLastConnection(std::chrono::steady_clock::now() + kStopWithin);
}

void tHttpServer::AwaitLastConnection(std::chrono::steady_clock::time_point giveUp) {
    if (Counts.Open() == 0 || std::chrono::steady_clock::now() >= giveUp) {
        Loop.stop();
        return;
    }
    Stopping.expires_after(kStopPoll);
    Stopping.async_wait([this, giveUp](error_code error) {
        if (!error) {
            AwaitLastConnection(giveUp);
        }
    });
}

void tHttpServer::GiveBackMemoryWhenIdle() {
    Trim.expires_after(kTrimAfter);
    Trim.async_wait([this](error_code error) {
        if (!error && Queue.Idle()) {
            boost::asio::post(Workers, GiveBackFreeHeap);
        }
    });
}

void tHttpServer::Accept() {
    Acceptor.async_accept(
        [this](error_code error, tcp::socket socket) { Accepted(error, std::move(socket)); });
}

void tHttpServer::Accepted(error_code error, tcp::socket socket) {
    if (error == boost::asio::error::connection_aborted) {
        Accept();
        return;
    }
    if (error) {
        if (!Failing) {
            std::fprintf(stderr,
                         "stakkar-scores: cannot accept connections (%s); trying again every %lld ms\n",
                         error.message().c_str(), static_cast<long long>(kAcceptPause.count()));
            Failing = true;
        }
        Pause.expires_after(kAcceptPause);
        Pause.async_wait([this](error_code paused) {
            if (!paused) {
                Accept();
            }
        });
        return;
    }
    Failing = false;
    const tcp::endpoint remote = socket.remote_endpoint(error);
    if (!error) {
        const boost::asio::ip::address peer = Unmapped(remote.address());
        const bool proxy = Settings.TrustedProxy && peer == *Settings.TrustedProxy;
        const tAdmission admission = Counts.Admit(peer, proxy);
        if (admission != tAdmission::Drop) {
            std::erase_if(Sessions, [](const std::weak_ptr<tHttpSession>& held) { return held.expired(); });
            const auto session = std::make_shared<tHttpSession>(std::move(socket), peer, admission, Settings,
                                                                Handler, Counts, Queue, Workers, Metrics);
            Sessions.push_back(session);
            session->Start();
        }
    }
    Accept();
}
