// SPDX-License-Identifier: GPL-3.0-or-later
#include "server/http/uCheckQueue.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <tuple>

namespace {

// How much the last check counts in the mean of their lengths.
constexpr double kMeanWeight = 0.2;

} // namespace

tCheckQueue::tCheckQueue(size_t waiting, size_t perAddress, size_t workers, std::function<void()> drained)
    : MaxWaiting(waiting), PerAddress(perAddress), Workers(workers), Drained(std::move(drained)) {}

std::optional<tCheckQueue::tTicket> tCheckQueue::Add(const std::string& client, tStart start,
                                                     tDisplaced displaced) {
    const auto known = Clients.find(client);
    if (known != Clients.end()) {
        ++known->second.Asked;
        if (known->second.Waiting.size() + known->second.Running >= PerAddress) {
            return std::nullopt;
        }
    }
    const std::uint64_t asked = known == Clients.end() ? 1 : known->second.Asked;
    tDisplaced pushedOut;
    if (WaitingCount >= MaxWaiting) {
        const auto crowding = Crowding();
        if (crowding == Clients.end() || crowding->second.Asked <= asked) {
            return std::nullopt;
        }
        const auto newest = std::prev(crowding->second.Waiting.end());
        pushedOut = std::move(newest->second.Displaced);
        crowding->second.Waiting.erase(newest);
        --WaitingCount;
        Forget(crowding);
    }
    const tTicket ticket = NextTicket++;
    tClient& entry = Clients[client];
    entry.Asked = asked;
    entry.Waiting.emplace(ticket, tWaiting{std::move(start), std::move(displaced)});
    ++WaitingCount;
    Dispatch();
    if (pushedOut) {
        pushedOut();
    }
    return ticket;
}

void tCheckQueue::Withdraw(tTicket ticket) {
    for (auto it = Clients.begin(); it != Clients.end(); ++it) {
        if (it->second.Waiting.erase(ticket) > 0) {
            --WaitingCount;
            Forget(it);
            break;
        }
    }
    if (Idle()) {
        Drained();
    }
}

void tCheckQueue::Finished(tTicket ticket) {
    const auto started = Running.find(ticket);
    if (started == Running.end()) {
        return;
    }
    const double seconds = std::chrono::duration<double>(tClock::now() - started->second.At).count();
    CheckSeconds += kMeanWeight * (seconds - CheckSeconds);
    const auto client = Clients.find(started->second.Client);
    --client->second.Running;
    Forget(client);
    Running.erase(started);
    Dispatch();
    if (Idle()) {
        Drained();
    }
}

long tCheckQueue::RetrySeconds() const {
    const double checks = static_cast<double>(WaitingCount + Running.size());
    return std::max(1L, std::lround(std::ceil(CheckSeconds * checks / static_cast<double>(Workers))));
}

tCheckQueue::tClients::iterator tCheckQueue::Next() {
    auto best = Clients.end();
    for (auto it = Clients.begin(); it != Clients.end(); ++it) {
        const tClient& c = it->second;
        if (!c.Waiting.empty() &&
            (best == Clients.end() || std::tuple(c.Asked, c.LastStarted, c.Waiting.begin()->first) <
                                          std::tuple(best->second.Asked, best->second.LastStarted,
                                                     best->second.Waiting.begin()->first))) {
            best = it;
        }
    }
    return best;
}

tCheckQueue::tClients::iterator tCheckQueue::Crowding() {
    auto most = Clients.end();
    for (auto it = Clients.begin(); it != Clients.end(); ++it) {
        const tClient& c = it->second;
        if (!c.Waiting.empty() &&
            (most == Clients.end() || std::tuple(c.Asked, c.Waiting.size(), c.Waiting.rbegin()->first) >
                                          std::tuple(most->second.Asked, most->second.Waiting.size(),
                                                     most->second.Waiting.rbegin()->first))) {
            most = it;
        }
    }
    return most;
}

void tCheckQueue::Dispatch() {
    while (Running.size() < Workers) {
        const auto next = Next();
        if (next == Clients.end()) {
            return;
        }
        const auto oldest = next->second.Waiting.begin();
        const tClock::time_point now = tClock::now();
        tStart start = std::move(oldest->second.Start);
        Running.emplace(oldest->first, tStarted{next->first, now});
        next->second.Waiting.erase(oldest);
        --WaitingCount;
        ++next->second.Running;
        next->second.LastStarted = now;
        start();
    }
}

void tCheckQueue::Forget(tClients::iterator client) {
    if (client->second.Waiting.empty() && client->second.Running == 0) {
        Clients.erase(client);
    }
}
