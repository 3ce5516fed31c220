// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the benchmarks share: one "name: value unit" line a figure, percentiles, and the processor time the
// process and the calling thread have used.

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <utility>
#include <vector>

inline void Print(const char* name, double value, const char* unit) {
    std::printf("%s: %.3f %s\n", name, value, unit);
    std::fflush(stdout);
}

// The value below which the given share (0..1) of the values lie; 0 for none.
inline double Percentile(std::vector<double> values, double share) {
    if (values.empty()) {
        return 0.0;
    }
    std::sort(values.begin(), values.end());
    const auto index = static_cast<size_t>(share * static_cast<double>(values.size() - 1) + 0.5);
    return values[std::min(index, values.size() - 1)];
}

inline double Median(std::vector<double> values) {
    return Percentile(std::move(values), 0.5);
}

inline double CpuSeconds(clockid_t clock) {
    timespec now{};
    clock_gettime(clock, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

inline double ProcessCpuSeconds() {
    return CpuSeconds(CLOCK_PROCESS_CPUTIME_ID);
}

inline double ThreadCpuSeconds() {
    return CpuSeconds(CLOCK_THREAD_CPUTIME_ID);
}
