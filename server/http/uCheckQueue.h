// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The replay checks waiting for a worker, bounded in all and per client address, so that a flood of them
// costs bounded memory and an answer at once rather than a wait no one sees the end of. Checks run no more at
// once than there are workers; the rest wait here, in the loop's thread, where a check whose client has gone
// can still be taken out before it costs anything.
//
// Each address has its checks in the order they came. Which address runs next, and which makes room when the
// queue is full, follow from how many checks it has asked for, taken or not, since it last had none waiting
// or running: the fewer, the sooner. An honest player asks for one at a time and a flood for many at once, so
// a player who comes in the middle of a flood runs next, even behind a hundred flooding addresses that each
// came first; plain round robin would make it wait a turn behind every one of them. Between addresses that
// asked as often, the one whose last check started longest ago goes first, which is round robin. A full queue
// takes a check only from an address that asked less than the one that asked most; that one's newest check
// makes room, answered at once to come back later. Otherwise the newcomer is refused, so that equal clients
// do not push each other out in turn. The share of an address counts its running checks too, so that no
// address holds more than its share of the workers and the queue together.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <unordered_map>

class tCheckQueue {
public:
    using tTicket = std::uint64_t;
    // The check's turn has come: it is counted as running from now until Finished.
    using tStart = std::function<void()>;
    // The check was pushed out of a full queue to make room; it is gone from the queue.
    using tDisplaced = std::function<void()>;

    // At most waiting checks wait in all, and at most perAddress of one address wait or run; workers run at
    // once. drained is called when the last check waiting or running is gone.
    tCheckQueue(size_t waiting, size_t perAddress, size_t workers, std::function<void()> drained);

    // A check for client; nothing when the queue has no room for it. start may be called before Add
    // returns, when a worker is free.
    std::optional<tTicket> Add(const std::string& client, tStart start, tDisplaced displaced);
    // Takes out a check that still waits, whose client has gone or has waited too long.
    void Withdraw(tTicket ticket);
    // A started check ended.
    void Finished(tTicket ticket);
    // Whole seconds, at least one, until the checks waiting and running now are likely done, from how long
    // the last ones took.
    long RetrySeconds() const;
    bool Idle() const { return Running.empty() && WaitingCount == 0; }
    size_t WaitingChecks() const { return WaitingCount; }
    size_t RunningChecks() const { return Running.size(); }

private:
    using tClock = std::chrono::steady_clock;
    struct tWaiting {
        tStart Start;
        tDisplaced Displaced;
    };
    struct tClient {
        // By ticket, which grows with every check added: the first is the oldest.
        std::map<tTicket, tWaiting> Waiting;
        size_t Running = 0;
        // Checks asked for, taken or not, since the address last had none waiting or running.
        std::uint64_t Asked = 0;
        tClock::time_point LastStarted{};
    };
    struct tStarted {
        std::string Client;
        tClock::time_point At;
    };

    using tClients = std::unordered_map<std::string, tClient>;

    // The address whose oldest waiting check runs next; the one whose newest makes room first. The end when
    // none waits.
    tClients::iterator Next();
    tClients::iterator Crowding();
    // Starts waiting checks while workers are free.
    void Dispatch();
    // Drops an address that has nothing waiting or running, and what it asked for with it.
    void Forget(tClients::iterator client);

    size_t MaxWaiting;
    size_t PerAddress;
    size_t Workers;
    std::function<void()> Drained;
    tClients Clients;
    std::unordered_map<tTicket, tStarted> Running;
    size_t WaitingCount = 0;
    tTicket NextTicket = 1;
    // A moving mean of how long a check takes, for the wait a refusal names.
    double CheckSeconds = 0.1;
};
