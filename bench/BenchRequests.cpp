// SPDX-License-Identifier: GPL-3.0-or-later
#include "BenchRequests.h"

#include <QByteArray>
#include <QFile>
#include <curl/curl.h>

#include <chrono>
#include <cstdio>

namespace {

using Clock = std::chrono::steady_clock;

size_t Discard(char*, size_t size, size_t count, void*) {
    return size * count;
}

CURL* NewHandle() {
    CURL* handle = curl_easy_init();
    curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, Discard);
    curl_easy_setopt(handle, CURLOPT_TCP_NODELAY, 1L);
    return handle;
}

bool Answered200(CURL* handle) {
    long status = 0;
    curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &status);
    return status == 200;
}

} // namespace

std::optional<std::vector<double>> RunRequests(const std::string& base, const std::vector<std::string>& paths,
                                               int inFlight) {
    CURLM* multi = curl_multi_init();
    std::vector<CURL*> handles;
    std::vector<Clock::time_point> sent(static_cast<size_t>(inFlight));
    std::vector<std::string> urls(static_cast<size_t>(inFlight));
    std::vector<double> latencies;
    size_t nextPath = 0;
    bool failed = false;
    auto start = [&](size_t slot) {
        urls[slot] = base + paths[nextPath++];
        curl_easy_setopt(handles[slot], CURLOPT_URL, urls[slot].c_str());
        sent[slot] = Clock::now();
        curl_multi_add_handle(multi, handles[slot]);
    };
    for (size_t slot = 0; slot < static_cast<size_t>(inFlight); ++slot) {
        handles.push_back(NewHandle());
        curl_easy_setopt(handles[slot], CURLOPT_PRIVATE, reinterpret_cast<char*>(slot));
        if (nextPath < paths.size()) {
            start(slot);
        }
    }
    int running = 1;
    while (running > 0 && !failed) {
        curl_multi_perform(multi, &running);
        int queued = 0;
        while (CURLMsg* message = curl_multi_info_read(multi, &queued)) {
            if (message->msg != CURLMSG_DONE) {
                continue;
            }
            char* slotTag = nullptr;
            curl_easy_getinfo(message->easy_handle, CURLINFO_PRIVATE, &slotTag);
            const auto slot = reinterpret_cast<size_t>(slotTag);
            latencies.push_back(std::chrono::duration<double, std::micro>(Clock::now() - sent[slot]).count());
            failed = failed || message->data.result != CURLE_OK || !Answered200(message->easy_handle);
            curl_multi_remove_handle(multi, message->easy_handle);
            if (nextPath < paths.size()) {
                start(slot);
                running = 1;
            }
        }
        if (running > 0) {
            curl_multi_poll(multi, nullptr, 0, 1000, nullptr);
        }
    }
    for (CURL* handle : handles) {
        curl_easy_cleanup(handle);
    }
    curl_multi_cleanup(multi);
    if (failed || latencies.size() != paths.size()) {
        return std::nullopt;
    }
    return latencies;
}

void PrintLoad(const QString& kind, const char* when) {
    QFile file("/proc/loadavg");
    const QByteArray load =
        file.open(QIODevice::ReadOnly) ? file.readAll().split(' ').mid(0, 3).join(' ') : "?";
    std::printf("%s load average %s: %s\n", qPrintable(kind), when, load.constData());
}
