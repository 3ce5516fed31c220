#include "shell/uSingleInstance.h"

#include <QLocalServer>
#include <QLocalSocket>

#include <unistd.h>

namespace {
constexpr int kConnectMs = 1000;
constexpr char kRaise = 'R';
} // namespace

tSingleInstance::tSingleInstance(QString name) : name_(std::move(name)) {}

tSingleInstance::~tSingleInstance() = default;

QString tSingleInstance::DefaultName() {
    return QString("Stakkar-%1").arg(getuid());
}

bool tSingleInstance::Claim() {
    QLocalSocket other;
    other.connectToServer(name_);
    if (other.waitForConnected(kConnectMs)) {
        other.write(&kRaise, 1);
        other.waitForBytesWritten(kConnectMs);
        other.disconnectFromServer();
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
