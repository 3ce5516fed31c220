// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/uSingleInstance.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QThread>

#include <unistd.h>

namespace {
constexpr int kConnectMs = 1000;
constexpr char kRaise = 'R';
constexpr int kStartAttempts = 20;
constexpr unsigned long kStartPauseMs = 100;
} // namespace

tSingleInstance::tSingleInstance(QString name) : name_(std::move(name)) {}

tSingleInstance::~tSingleInstance() = default;

QString tSingleInstance::DefaultName() {
    // Per display as well as per user: the same user on another seat or in a remote session plays a copy of
    // their own there.
    QString display = qEnvironmentVariable("WAYLAND_DISPLAY");
    if (display.isEmpty())
        display = qEnvironmentVariable("DISPLAY");
    QString safe;
    for (const QChar c : display)
        safe += c.isLetterOrNumber() || c == '.' || c == '-' ? c : QChar('_');
    return QString("Stakkar-%1-%2").arg(getuid()).arg(safe);
}

bool tSingleInstance::AskFirstToRaise() const {
    QLocalSocket other;
    other.connectToServer(name_);
    if (!other.waitForConnected(kConnectMs))
        return false;
    other.write(&kRaise, 1);
    other.waitForBytesWritten(kConnectMs);
    other.disconnectFromServer();
    return true;
}

bool tSingleInstance::Claim() {
    if (AskFirstToRaise())
        return false;
    // Two copies started together could both find nobody listening; the lock lets only one of them on. A lock
    // left by a copy that crashed is recognised by its dead process and taken over.
    lock_ = std::make_unique<QLockFile>(QDir(QDir::tempPath()).filePath(name_ + ".lock"));
    lock_->setStaleLockTime(0);
    if (!lock_->tryLock(0) && lock_->error() == QLockFile::LockFailedError) {
        // The other copy is still starting: give it time to listen, then ask again.
        for (int attempt = 0; attempt < kStartAttempts; ++attempt) {
            if (AskFirstToRaise())
                break;
            QThread::msleep(kStartPauseMs);
        }
        return false;
    }
    // Nobody answers: a socket file left by a copy that crashed would block listening.
    QLocalServer::removeServer(name_);
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(name_))
        return true;
    connect(server_, &QLocalServer::newConnection, this, &tSingleInstance::Accept);
    return true;
}

void tSingleInstance::Accept() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        if (raise_)
            raise_();
    }
}
