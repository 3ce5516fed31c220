// SPDX-License-Identifier: GPL-3.0-or-later
#include "server/http/uMetrics.h"

#include <cstdio>

namespace {

// A label's value with the three characters the format escapes escaped.
std::string Label(std::string_view value) {
    std::string escaped;
    for (const char c : value) {
        if (c == '\\' || c == '"') {
            escaped += '\\';
            escaped += c;
        } else if (c == '\n') {
            escaped += "\\n";
        } else {
            escaped += c;
        }
    }
    return escaped;
}

std::string Number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}

void Describe(std::string& out, const std::string& name, const std::string& help, const char* type) {
    out += "# HELP " + name + " " + help + "\n# TYPE " + name + " " + type + "\n";
}

} // namespace

void tMetrics::Count(std::string_view route, unsigned status, std::chrono::steady_clock::duration took) {
    const double seconds = std::chrono::duration<double>(took).count();
    const std::lock_guard held(Lock);
    auto found = Routes.find(route);
    if (found == Routes.end()) {
        found = Routes.emplace(std::string(route), tRoute{}).first;
    }
    tRoute& counts = found->second;
    ++counts.ByStatus[status];
    for (size_t i = 0; i < kBuckets.size(); ++i) {
        if (seconds <= kBuckets[i]) {
            ++counts.InBucket[i];
        }
    }
    ++counts.Count;
    counts.Seconds += seconds;
}

void tMetrics::AddGauge(std::string name, std::string help, std::function<double()> read) {
    const std::lock_guard held(Lock);
    Gauges.push_back({std::move(name), std::move(help), std::move(read)});
}

void tMetrics::AddCounter(std::string name, std::string help, const std::atomic<std::uint64_t>& counter) {
    const std::lock_guard held(Lock);
    Counters.push_back({std::move(name), std::move(help), &counter});
}

std::string tMetrics::Text() const {
    const std::lock_guard held(Lock);
    std::string out;
    Describe(out, "stakkar_requests_total", "Requests answered, by route and status.", "counter");
    for (const auto& [route, counts] : Routes) {
        for (const auto& [status, count] : counts.ByStatus) {
            out += "stakkar_requests_total{route=\"" + Label(route) + "\",status=\"" +
                   std::to_string(status) + "\"} " + std::to_string(count) + "\n";
        }
    }
    Describe(out, "stakkar_request_seconds", "Time from a request's head to its answer, by route.",
             "histogram");
    for (const auto& [route, counts] : Routes) {
        const std::string label = "stakkar_request_seconds_bucket{route=\"" + Label(route) + "\",le=\"";
        for (size_t i = 0; i < kBuckets.size(); ++i) {
            out += label + Number(kBuckets[i]) + "\"} " + std::to_string(counts.InBucket[i]) + "\n";
        }
        out += label + "+Inf\"} " + std::to_string(counts.Count) + "\n";
        out += "stakkar_request_seconds_sum{route=\"" + Label(route) + "\"} " + Number(counts.Seconds) + "\n";
        out += "stakkar_request_seconds_count{route=\"" + Label(route) + "\"} " +
               std::to_string(counts.Count) + "\n";
    }
    for (const tGauge& gauge : Gauges) {
        Describe(out, gauge.Name, gauge.Help, "gauge");
        out += gauge.Name + " " + Number(gauge.Read()) + "\n";
    }
    for (const tCounter& counter : Counters) {
        Describe(out, counter.Name, counter.Help, "counter");
        out += counter.Name + " " + std::to_string(counter.Value->load(std::memory_order_relaxed)) + "\n";
    }
    return out;
}
