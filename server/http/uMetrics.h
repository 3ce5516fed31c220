// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the server counts of its answers, read by a Prometheus scraper at /metrics: requests by route and
// status, how long each route took to answer, and the gauges and counters the layers above register. Every
// answer is counted on the loop's thread as it is sent; a mutex that no one else wants costs little there and
// keeps a reader on another thread safe.

#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class tMetrics {
public:
    // The upper bounds of the latency buckets, in seconds; one more, +Inf, holds every request.
    static constexpr std::array<double, 11> kBuckets{0.005, 0.01, 0.025, 0.05, 0.1, 0.25,
                                                     0.5,   1.0,  2.5,   5.0,  10.0};

    // route is the pattern of the route that answered, or a word for an answer the HTTP layer gave itself.
    void Count(std::string_view route, unsigned status, std::chrono::steady_clock::duration took);
    // A gauge read when the text is made; read on the loop's thread.
    void AddGauge(std::string name, std::string help, std::function<double()> read);
    // A counter that the caller keeps and increments from any thread; it outlives this.
    void AddCounter(std::string name, std::string help, const std::atomic<std::uint64_t>& counter);
    // Everything counted, in the Prometheus text format, version 0.0.4.
    std::string Text() const;

private:
    struct tRoute {
        std::map<unsigned, std::uint64_t> ByStatus;
        std::array<std::uint64_t, kBuckets.size()> InBucket{};
        std::uint64_t Count = 0;
        double Seconds = 0;
    };
    struct tGauge {
        std::string Name;
        std::string Help;
        std::function<double()> Read;
    };
    struct tCounter {
        std::string Name;
        std::string Help;
        const std::atomic<std::uint64_t>* Value;
    };

    mutable std::mutex Lock;
    std::map<std::string, tRoute, std::less<>> Routes;
    std::vector<tGauge> Gauges;
    std::vector<tCounter> Counters;
};
