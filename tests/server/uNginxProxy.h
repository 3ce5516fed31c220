// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A real nginx on a free loopback port in front of some server processes, its configuration, logs and
// temporary files in a folder of its own, stopped when the object goes.

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <cstdint>
#include <vector>

class tNginxProxy {
public:
    tNginxProxy() = default;
    ~tNginxProxy();
    tNginxProxy(const tNginxProxy&) = delete;
    tNginxProxy& operator=(const tNginxProxy&) = delete;

    // The nginx program; empty when nginx is not installed.
    static QString Program();
    // Starts nginx handing requests to the servers on those loopback ports in turn, each with the
    // connecting client's address in X-Forwarded-For; false with problem set when it does not come up.
    bool Start(const std::vector<std::uint16_t>& upstreams, QString& problem);
    std::uint16_t Port() const { return ListenPort; }

private:
    QTemporaryDir Dir;
    QProcess Process;
    std::uint16_t ListenPort = 0;
};
