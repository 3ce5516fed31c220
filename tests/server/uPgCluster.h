// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A throwaway PostgreSQL cluster in a temporary folder, reached over a Unix socket in that folder and removed
// with the object. Run as the postgres user when this process is root, since initdb refuses root.

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

class tPgCluster {
public:
    tPgCluster() = default;
    ~tPgCluster();
    tPgCluster(const tPgCluster&) = delete;
    tPgCluster& operator=(const tPgCluster&) = delete;

    // The folder of initdb and pg_ctl; empty when PostgreSQL is not installed.
    static QString BinDir();
    // Creates, starts and makes one empty database; false with problem set when any step fails. With a
    // password, the cluster also listens on 127.0.0.1, where it asks for that password (scram-sha-256). Tests
    // run it with fsync off, which no deployed server does; durable keeps PostgreSQL's own default, fsync on,
    // for figures that stand for a real server's.
    bool Start(QString& problem, const QString& password = {}, bool durable = false);
    // Stops the cluster as an operator's restart begins, the clients' connections broken; false with problem
    // set when pg_ctl fails.
    bool Stop(QString& problem);
    // The --database address of the empty database, over the socket.
    QString Address() const;
    // The same database over TCP on 127.0.0.1, once started with a password.
    QString TcpAddress() const;

private:
    bool Run(const QString& tool, const QStringList& arguments, QString& problem);

    std::unique_ptr<QTemporaryDir> Dir;
    QString Bin;
    quint16 Port = 0;
    bool Started = false;
};
