// SPDX-License-Identifier: GPL-3.0-or-later
// stakkar-bench-server [replays] [sqlite|postgresql|nginx]: the score server over loopback with 100,000
// stored results in one table: uploads per second with several in flight, each without a replay and so stored
// unverified ("replays" measures verified ones), then the latency of single uploads and of the pages; then
// the uploads and the table page again while another client keeps four name searches in flight; then, with
// one server, all of it again while 1,000 idle connections from 125 addresses are held open. The real
// stakkar-scores process serves, libcurl asks; SQLite is a file in a temporary folder, PostgreSQL a throwaway
// cluster with fsync on, and "nginx" two processes on one such cluster behind nginx. Prints one line per
// figure, and the load average of the machine before and after each round, since other work on the shared
// cores moves every figure. With "replays" it measures how the server proves results by their replays
// instead (ReplayBench.cpp).

#include "BenchRequests.h"
#include "BenchServers.h"
#include "ReplayBench.h"
#include "SampleResults.h"
#include "core/uRules.h"
#include "uRawClient.h"

#include "server/store/uScoreDatabase.h"
#include "storage/uHSUpload.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr int kStored = 100000;
constexpr int kThroughputUploads = 10000;
constexpr int kInFlight = 6;
constexpr int kTimedRequests = 1000;
constexpr int kSearchesInFlight = 4;
constexpr int kIdleConnections = 1000;
// Spread over addresses as many clients would be, within the cap of connections per address.
constexpr int kIdlePerAddress = 8;

std::string UploadPath(const tResultRecord& entry) {
    const std::string address = UploadAddress(kGameTypes[0].Name, kDifficulties[1].Name, entry);
    return address.substr(address.find("index.php"));
}

bool Fill(const tDatabaseTarget& target) {
    std::vector<tScoreRecord> records;
    for (int n = 0; n < kStored; ++n) {
        tScoreRecord r{std::string(kGameTypes[0].Name), std::string(kDifficulties[1].Name), SampleResult(n),
                       0};
        r.StartMs = StartTimeMs(r.Entry.StartTime).value_or(0);
        records.push_back(std::move(r));
    }
    tScoreDatabase db(target, "fill");
    tStoreResult<void> filled = db.Open();
    if (filled) {
        filled = db.Results().StoreMany(records);
    }
    if (!filled) {
        std::fprintf(stderr, "filling failed: %s\n", qPrintable(filled.Problem()));
        return false;
    }
    return true;
}

double Percentile(std::vector<double> values, double p) {
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, static_cast<size_t>(p * static_cast<double>(values.size())))];
}

// The upload addresses of count made-up results from the first on.
std::vector<std::string> Uploads(int first, int count) {
    std::vector<std::string> uploads;
    for (int n = first; n < first + count; ++n) {
        uploads.push_back(UploadPath(SampleResult(n)));
    }
    return uploads;
}

// Uploads without replays of the results first.. on, then the latencies; every line ends in label.
bool Measure(const std::string& base, const QString& kind, int first, const char* label) {
    const std::vector<std::string> uploads = Uploads(first, kThroughputUploads);
    const Clock::time_point start = Clock::now();
    if (!RunRequests(base, uploads, kInFlight)) {
        std::fprintf(stderr, "an upload was refused\n");
        return false;
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    std::printf("%s uploads without replay (stored unverified), %d in flight%s: %.0f /s\n", qPrintable(kind),
                kInFlight, label, kThroughputUploads / seconds);

    const auto uploadLatency = RunRequests(base, Uploads(first + kThroughputUploads, kTimedRequests), 1);
    const auto pageLatency =
        RunRequests(base, std::vector<std::string>(kTimedRequests, "scores/Standart/Normal"), 1);
    const auto jsonLatency =
        RunRequests(base, std::vector<std::string>(kTimedRequests, "scores/Standart/Normal.json"), 1);
    const int stored = first + kThroughputUploads + kTimedRequests;
    const std::string lastPage = "scores/Standart/Normal?page=" + std::to_string((stored + 99) / 100);
    const auto lastPageLatency = RunRequests(base, std::vector<std::string>(kTimedRequests, lastPage), 1);
    const auto playerLatency =
        RunRequests(base, std::vector<std::string>(kTimedRequests, "players/Player4321"), 1);
    const auto searchLatency =
        RunRequests(base, std::vector<std::string>(kTimedRequests, "search?name=player43"), 1);
    if (!uploadLatency || !pageLatency || !jsonLatency || !lastPageLatency || !playerLatency ||
        !searchLatency) {
        std::fprintf(stderr, "a request failed\n");
        return false;
    }
    std::printf("%s upload without replay latency%s: p50 %.0f us, p99 %.0f us\n", qPrintable(kind), label,
                Percentile(*uploadLatency, 0.5), Percentile(*uploadLatency, 0.99));
    std::printf("%s table page (100 of %d results) latency%s: p50 %.0f us, p99 %.0f us\n", qPrintable(kind),
                stored, label, Percentile(*pageLatency, 0.5), Percentile(*pageLatency, 0.99));
    std::printf("%s table JSON latency%s: p50 %.0f us, p99 %.0f us\n", qPrintable(kind), label,
                Percentile(*jsonLatency, 0.5), Percentile(*jsonLatency, 0.99));
    std::printf("%s last table page latency%s: p50 %.0f us, p99 %.0f us\n", qPrintable(kind), label,
                Percentile(*lastPageLatency, 0.5), Percentile(*lastPageLatency, 0.99));
    std::printf("%s player page latency%s: p50 %.0f us, p99 %.0f us\n", qPrintable(kind), label,
                Percentile(*playerLatency, 0.5), Percentile(*playerLatency, 0.99));
    std::printf("%s search of the names (1,111 found, 100 shown) latency%s: p50 %.0f us, p99 %.0f us\n",
                qPrintable(kind), label, Percentile(*searchLatency, 0.5), Percentile(*searchLatency, 0.99));
    return true;
}

// Another client keeps searches in flight while this one uploads and then reads the table page.
bool MeasureBesideSearches(const std::string& base, const QString& kind, int first) {
    std::atomic<bool> done = false;
    std::atomic<long> searches = 0;
    std::thread searcher([&] {
        const std::vector<std::string> batch(50, "search?name=player43");
        while (!done && RunRequests(base, batch, kSearchesInFlight)) {
            searches += static_cast<long>(batch.size());
        }
    });
    const std::vector<std::string> uploads = Uploads(first, kThroughputUploads);
    const Clock::time_point start = Clock::now();
    const bool uploaded = RunRequests(base, uploads, kInFlight).has_value();
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    const auto pageLatency =
        RunRequests(base, std::vector<std::string>(kTimedRequests, "scores/Standart/Normal"), 1);
    const double allSeconds = std::chrono::duration<double>(Clock::now() - start).count();
    done = true;
    searcher.join();
    if (!uploaded || !pageLatency) {
        std::fprintf(stderr, "a request beside the searches failed\n");
        return false;
    }
    const char* beside = "beside another client's 4 searches in flight";
    std::printf("%s uploads without replay (stored unverified), %d in flight, %s: %.0f /s\n",
                qPrintable(kind), kInFlight, beside, kThroughputUploads / seconds);
    std::printf("%s table page latency %s: p50 %.0f us, p99 %.0f us\n", qPrintable(kind), beside,
                Percentile(*pageLatency, 0.5), Percentile(*pageLatency, 0.99));
    std::printf("%s searches answered meanwhile: %.0f /s\n", qPrintable(kind),
                static_cast<double>(searches) / allSeconds);
    return true;
}

// Connections that send nothing, as a crowd of slow or idle clients holds them.
std::optional<std::vector<tRawClient>> OpenIdle(std::uint16_t port) {
    std::vector<tRawClient> idle(kIdleConnections);
    for (int i = 0; i < kIdleConnections; ++i) {
        const std::string from = "127.0.1." + std::to_string(1 + i / kIdlePerAddress);
        if (!idle[static_cast<size_t>(i)].Connect(port, from.c_str())) {
            return std::nullopt;
        }
    }
    return idle;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const bool replays = argc > 1 && QString(argv[1]) == "replays";
    const int kindAt = replays ? 2 : 1;
    const QString kind = argc > kindAt ? argv[kindAt] : "sqlite";
    if (argc > kindAt + 1 || !tBenchServers::Known(kind)) {
        const bool help = argc == 2 && kind == "--help";
        std::fprintf(help ? stdout : stderr,
                     "usage: stakkar-bench-server [replays] [sqlite|postgresql|nginx]\n");
        return help ? 0 : 2;
    }
    if (replays) {
        return RunReplayBench(kind);
    }
    // Room for the idle connections on this side too.
    rlimit limit{};
    getrlimit(RLIMIT_NOFILE, &limit);
    limit.rlim_cur = limit.rlim_max;
    setrlimit(RLIMIT_NOFILE, &limit);
    tBenchServers servers;
    if (!servers.OpenDatabase(kind)) {
        return 1;
    }
    const Clock::time_point fillStart = Clock::now();
    if (!Fill(*ParseDatabaseTarget(servers.Address()))) {
        return 1;
    }
    std::printf("%s fill %d results: %.1f s\n", qPrintable(kind), kStored,
                std::chrono::duration<double>(Clock::now() - fillStart).count());

    // The idle connections stay for the whole run, and the benchmark's own come on top of them.
    if (!servers.Start({"--uploads-per-minute", "1e12", "--upload-burst", "1e12", "--searches-per-minute",
                        "1e12", "--header-timeout", "3600", "--max-connections",
                        QString::number(kIdleConnections + 100)})) {
        return 1;
    }
    const std::string base = servers.Base();
    PrintLoad(kind, "before");
    if (!Measure(base, kind, kStored, "")) {
        return 1;
    }
    PrintLoad(kind, "after the round without idle connections");
    int first = kStored + kThroughputUploads + kTimedRequests;
    if (!MeasureBesideSearches(base, kind, first)) {
        return 1;
    }
    first += kThroughputUploads;
    PrintLoad(kind, "after the round beside searches");
    // Behind nginx the idle connections would be nginx's to hold, not the servers'.
    if (servers.Proxied()) {
        return 0;
    }
    std::optional<std::vector<tRawClient>> idle = OpenIdle(servers.Port());
    if (!idle) {
        std::fprintf(stderr, "could not open %d idle connections\n", kIdleConnections);
        return 1;
    }
    const std::string label = ", " + std::to_string(kIdleConnections) + " idle connections open";
    if (!Measure(base, kind, first, label.c_str())) {
        return 1;
    }
    PrintLoad(kind, "after the round with idle connections");
    // Figures taken while the server had dropped them would say nothing about holding them.
    const auto open = std::count_if(idle->begin(), idle->end(),
                                    [](tRawClient& client) { return !client.ClosedWithin(1ms); });
    std::printf("%s idle connections still open at the end: %ld\n", qPrintable(kind),
                static_cast<long>(open));
    return open == kIdleConnections ? 0 : 1;
}
