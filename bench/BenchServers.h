// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The servers a server benchmark asks: one stakkar-scores process on an SQLite file ("sqlite") or on a
// PostgreSQL cluster ("postgresql"), or two processes on one PostgreSQL cluster behind a real nginx that
// hands them the requests in turn over kept-alive connections ("nginx"), as a club spreads its load.

#include "BenchDatabase.h"
#include "uNginxProxy.h"
#include "uServerProcess.h"

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class tBenchServers {
public:
    static bool Known(const QString& kind);

    // Opens the database; false, having said why, when it does not.
    bool OpenDatabase(const QString& kind);
    // What --database takes, to fill it before the servers start.
    const QString& Address() const { return Database.Address; }
    // Starts the servers with the options beside --database (and --trust-proxy behind nginx); false, having
    // said why, when one does not come up.
    bool Start(const QStringList& options);
    // Where the benchmark sends its requests: the one server or nginx.
    std::string Base() const;
    std::uint16_t Port() const;
    // The server processes, whose processor time the benchmark reads.
    std::vector<qint64> Pids() const;
    bool Proxied() const { return Kind == "nginx"; }

private:
    QString Kind;
    tBenchDatabase Database;
    std::array<tServerProcess, 2> Servers;
    tNginxProxy Proxy;
};
