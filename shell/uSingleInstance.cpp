// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/uSingleInstance.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QSocketNotifier>
#include <QThread>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {
constexpr char kRaise = 'R';
constexpr int kStartAttempts = 20;
constexpr unsigned long kStartPauseMs = 100;

// The address of the socket file; false when the path does not fit one.
bool AddressOf(const QByteArray& path, sockaddr_un& address) {
    address = {};
    address.sun_family = AF_UNIX;
    if (path.isEmpty() || static_cast<size_t>(path.size()) >= sizeof(address.sun_path)) {
        return false;
    }
    std::memcpy(address.sun_path, path.constData(), static_cast<size_t>(path.size()));
    return true;
}
} // namespace

tSingleInstance::tSingleInstance(QString name)
    : name_(std::move(name)), path_(QFile::encodeName(QDir(QDir::tempPath()).filePath(name_))) {}

tSingleInstance::~tSingleInstance() {
    if (listening_ >= 0) {
        delete notifier_;
        ::close(listening_);
        ::unlink(path_.constData());
    }
}

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
    sockaddr_un address;
    if (!AddressOf(path_, address)) {
        return false;
    }
    const int other = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (other < 0) {
        return false;
    }
    // The kernel completes the connection while the listening copy is busy; a socket file nobody listens on
    // refuses it at once, and a copy whose queue is full is running all the same.
    const bool connected =
        ::connect(other, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0;
    const bool answered = connected || errno == EAGAIN;
    if (connected) {
        ::send(other, &kRaise, 1, MSG_NOSIGNAL);
    }
    ::close(other);
    return answered;
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
    // A copy that cannot listen still plays; only a later copy will not find it.
    Listen();
    return true;
}

bool tSingleInstance::Listen() {
    sockaddr_un address;
    if (!AddressOf(path_, address)) {
        return false;
    }
    const int listening = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (listening < 0) {
        return false;
    }
    // Nobody answers: a socket file left by a copy that crashed would block listening. The socket is the
    // user's alone, made so before anyone can connect.
    ::unlink(path_.constData());
    const mode_t previous = ::umask(0077);
    const bool bound = ::bind(listening, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0;
    ::umask(previous);
    if (!bound || ::listen(listening, SOMAXCONN) != 0) {
        ::close(listening);
        return false;
    }
    listening_ = listening;
    notifier_ = new QSocketNotifier(listening_, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &tSingleInstance::Accept);
    return true;
}

void tSingleInstance::Accept() {
    for (;;) {
        const int other = ::accept4(listening_, nullptr, nullptr, SOCK_CLOEXEC);
        if (other < 0) {
            return;
        }
        ::close(other);
        if (raise_)
            raise_();
    }
}
