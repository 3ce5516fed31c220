// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the server's benchmarks share: requests over libcurl with several in flight, and the load average of
// the machine, since other work on the shared cores moves every figure.

#include <QString>

#include <optional>
#include <string>
#include <vector>

// GETs base + each path, inFlight at a time; the latency of each in microseconds, or nothing when a request
// failed or was not answered 200. libcurl keeps its connections open between requests, as a browser does,
// and costs the shared cores far less than the server it measures.
std::optional<std::vector<double>> RunRequests(const std::string& base, const std::vector<std::string>& paths,
                                               int inFlight);
// "KIND load average WHEN: 1.00 0.90 0.80"
void PrintLoad(const QString& kind, const char* when);
