// SPDX-License-Identifier: GPL-3.0-or-later
#include "uNginxProxy.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

#include <unistd.h>

namespace {

// Requests go to each upstream in turn, over connections kept open as the README's example keeps them, and
// never on to the next when one fails, so that every request reaches one server once. The temporary paths
// stay in the folder, which nginx's own defaults are not.
constexpr const char* kConfig = R"(%1
worker_processes 1;
error_log %2/error.log;
events { worker_connections 1024; }
http {
    access_log off;
    client_body_temp_path %2/body;
    proxy_temp_path %2/proxy;
    fastcgi_temp_path %2/fastcgi;
    uwsgi_temp_path %2/uwsgi;
    scgi_temp_path %2/scgi;
    large_client_header_buffers 4 64k;
    upstream scores {%3 keepalive 32; }
    server {
        listen 127.0.0.1:%4;
        location / {
            proxy_pass http://scores;
            proxy_next_upstream off;
            proxy_http_version 1.1;
            proxy_set_header Connection "";
            proxy_set_header X-Forwarded-For $remote_addr;
        }
    }
}
)";

} // namespace

QString tNginxProxy::Program() {
    return QStandardPaths::findExecutable("nginx", {"/usr/sbin", "/usr/local/sbin", "/usr/bin"});
}

tNginxProxy::~tNginxProxy() {
    if (Process.state() != QProcess::NotRunning) {
        Process.terminate();
        if (!Process.waitForFinished(10000)) {
            Process.kill();
            Process.waitForFinished(10000);
        }
    }
}

bool tNginxProxy::Start(const std::vector<std::uint16_t>& upstreams, QString& problem) {
    {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        ListenPort = probe.serverPort();
    }
    QString servers;
    for (const std::uint16_t port : upstreams) {
        servers += QString(" server 127.0.0.1:%1;").arg(port);
    }
    // Its workers would otherwise run as nobody, who cannot enter the folder.
    const QString user = geteuid() == 0 ? "user root;" : "";
    QFile config(Dir.filePath("nginx.conf"));
    const QByteArray text = QString(kConfig).arg(user, Dir.path(), servers).arg(ListenPort).toUtf8();
    if (!Dir.isValid() || !config.open(QIODevice::WriteOnly) || config.write(text) != text.size()) {
        problem = "The nginx configuration could not be written.";
        return false;
    }
    config.close();
    Process.setProcessChannelMode(QProcess::MergedChannels);
    Process.start(Program(), {"-p", Dir.path(), "-c", config.fileName(), "-e", Dir.filePath("error.log"),
                              "-g", "daemon off; pid " + Dir.filePath("nginx.pid") + ";"});
    const QDeadlineTimer deadline(10000);
    while (!deadline.hasExpired() && Process.state() != QProcess::NotRunning) {
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, ListenPort);
        if (socket.waitForConnected(500)) {
            return true;
        }
        QThread::msleep(50);
    }
    QFile log(Dir.filePath("error.log"));
    log.open(QIODevice::ReadOnly);
    problem = "nginx did not start: " + QString::fromUtf8(Process.readAll() + log.readAll());
    return false;
}
