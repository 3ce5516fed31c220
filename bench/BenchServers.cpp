// SPDX-License-Identifier: GPL-3.0-or-later
#include "BenchServers.h"

#include <cstdio>

bool tBenchServers::Known(const QString& kind) {
    return kind == "sqlite" || kind == "postgresql" || kind == "nginx";
}

bool tBenchServers::OpenDatabase(const QString& kind) {
    Kind = kind;
    return Database.Open(kind == "nginx" ? "postgresql" : kind);
}

bool tBenchServers::Start(const QStringList& options) {
    QString problem;
    const QStringList arguments = QStringList{"--database", Database.Address} + options +
                                  (Proxied() ? QStringList{"--trust-proxy", "127.0.0.1"} : QStringList{});
    for (size_t n = 0; n < (Proxied() ? Servers.size() : 1); ++n) {
        if (!Servers[n].Start(Database.Dir.path(), arguments, problem)) {
            std::fprintf(stderr, "%s\n", qPrintable(problem));
            return false;
        }
    }
    if (Proxied()) {
        if (!Proxy.Start({Servers[0].Port(), Servers[1].Port()}, problem)) {
            std::fprintf(stderr, "%s\n", qPrintable(problem));
            return false;
        }
        std::printf("nginx: two stakkar-scores processes on one PostgreSQL database, requests in turn\n");
    }
    return true;
}

std::string tBenchServers::Base() const {
    return Proxied() ? "http://127.0.0.1:" + std::to_string(Proxy.Port()) + "/"
                     : Servers[0].Base().toStdString();
}

std::uint16_t tBenchServers::Port() const {
    return Proxied() ? Proxy.Port() : Servers[0].Port();
}

std::vector<qint64> tBenchServers::Pids() const {
    if (Proxied()) {
        return {Servers[0].Pid(), Servers[1].Pid()};
    }
    return {Servers[0].Pid()};
}
