// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The database a server benchmark serves from: an SQLite file in a temporary folder, or a throwaway
// PostgreSQL cluster with fsync on, as a deployed one runs; both go with the object.

#include "uPgCluster.h"

#include <QString>
#include <QTemporaryDir>
#include <cstdio>

struct tBenchDatabase {
    QTemporaryDir Dir;
    tPgCluster Cluster;
    // What the server's --database takes.
    QString Address;

    // kind is "sqlite" or "postgresql"; false, having said why, when the cluster does not start.
    bool Open(const QString& kind) {
        Address = Dir.filePath("bench.sqlite");
        if (kind != "postgresql") {
            return true;
        }
        QString problem;
        if (!Cluster.Start(problem, {}, true)) {
            std::fprintf(stderr, "no PostgreSQL cluster: %s\n", qPrintable(problem));
            return false;
        }
        std::printf("postgresql: a throwaway cluster with fsync on, as PostgreSQL runs by default\n");
        Address = Cluster.Address();
        return true;
    }
};
