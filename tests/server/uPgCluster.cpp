// SPDX-License-Identifier: GPL-3.0-or-later
#include "uPgCluster.h"

#include <QCollator>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTcpServer>

#include <unistd.h>

namespace {

constexpr const char* kUser = "stakkar";
constexpr const char* kDatabase = "scores";

quint16 FreePort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

} // namespace

QString tPgCluster::BinDir() {
    QStringList versions = QDir("/usr/lib/postgresql").entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    QCollator collator;
    collator.setNumericMode(true);
    std::sort(versions.begin(), versions.end(), collator);
    for (auto it = versions.rbegin(); it != versions.rend(); ++it) {
        const QString bin = "/usr/lib/postgresql/" + *it + "/bin";
        if (QFile::exists(bin + "/initdb") && QFile::exists(bin + "/pg_ctl")) {
            return bin;
        }
    }
    return {};
}

tPgCluster::~tPgCluster() {
    if (Started) {
        QString ignored;
        Run("pg_ctl", {"-D", Dir->path() + "/data", "-m", "immediate", "-w", "stop"}, ignored);
    }
}

bool tPgCluster::Run(const QString& tool, const QStringList& arguments, QString& problem) {
    QStringList command{Bin + "/" + tool};
    command += arguments;
    if (geteuid() == 0) {
        command = QStringList{"-u", "postgres", "--"} + command;
        command.prepend("runuser");
    }
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(command.takeFirst(), command);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        problem = tool + " failed: " + QString::fromLocal8Bit(process.readAll()) + process.errorString();
        return false;
    }
    return true;
}

bool tPgCluster::Start(QString& problem, const QString& password, bool durable) {
    Bin = BinDir();
    Dir = std::make_unique<QTemporaryDir>(QDir::tempPath() + "/stakkar-pg-XXXXXX");
    if (Bin.isEmpty() || !Dir->isValid()) {
        problem = "No PostgreSQL binaries or no temporary folder.";
        return false;
    }
    if (geteuid() == 0 && QProcess::execute("chown", {"postgres:postgres", Dir->path()}) != 0) {
        problem = "The temporary folder could not be given to the postgres user.";
        return false;
    }
    Port = FreePort();
    const QString data = Dir->path() + "/data";
    QStringList initdb{"-D", data, "-U", kUser, "-A", "trust", "--no-sync", "-E", "UTF8"};
    if (!password.isEmpty()) {
        QFile passwordFile(Dir->filePath("password"));
        if (!passwordFile.open(QIODevice::WriteOnly) || passwordFile.write(password.toUtf8()) < 0) {
            problem = "The password file of initdb could not be written.";
            return false;
        }
        initdb += {"--auth-host=scram-sha-256", "--pwfile=" + passwordFile.fileName()};
    }
    if (!Run("initdb", initdb, problem)) {
        return false;
    }
    const QString serverOptions = QString("-k %1 -p %2 -c listen_addresses='%3'%4")
                                      .arg(Dir->path())
                                      .arg(Port)
                                      .arg(password.isEmpty() ? "" : "127.0.0.1")
                                      .arg(durable ? "" : " -c fsync=off");
    if (!Run("pg_ctl", {"-D", data, "-o", serverOptions, "-l", Dir->path() + "/log", "-w", "start"},
             problem)) {
        return false;
    }
    Started = true;
    return Run("createdb", {"-h", Dir->path(), "-p", QString::number(Port), "-U", kUser, kDatabase}, problem);
}

bool tPgCluster::Stop(QString& problem) {
    Started = !Run("pg_ctl", {"-D", Dir->path() + "/data", "-m", "fast", "-w", "stop"}, problem);
    return !Started;
}

QString tPgCluster::Address() const {
    return QString("postgresql://%1@localhost:%2/%3?host=%4")
        .arg(kUser)
        .arg(Port)
        .arg(kDatabase, Dir->path());
}

QString tPgCluster::TcpAddress() const {
    return QString("postgresql://%1@127.0.0.1:%2/%3").arg(kUser).arg(Port).arg(kDatabase);
}
