// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A real stakkar-scores process on a free loopback port, stopped when the object goes.

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

class tServerProcess {
public:
    tServerProcess() = default;
    ~tServerProcess();
    tServerProcess(const tServerProcess&) = delete;
    tServerProcess& operator=(const tServerProcess&) = delete;

    // Starts the server in workDir with "--port 0" and the arguments, and waits for the port it prints.
    // False, and problem set to what it wrote, when it does not come up.
    bool Start(const QString& workDir, const QStringList& arguments, QString& problem);
    // "http://127.0.0.1:PORT/"
    QString Base() const;
    quint16 Port() const { return ListenPort; }
    qint64 Pid() const { return Process.processId(); }
    // What the server wrote to stderr so far, once it holds wanted or a few seconds have passed.
    QByteArray ErrorsUntil(const QByteArray& wanted);
    // Sends SIGTERM; the exit code, or -1 when it has not exited normally within ms.
    int Terminate(int ms);

private:
    QByteArray Errors() const;

private:
    QProcess Process;
    quint16 ListenPort = 0;
    // Where its stderr goes: a pipe no one reads while a test floods the server would fill and stop it.
    QString ErrorsFile;
};
