// SPDX-License-Identifier: GPL-3.0-or-later
#include "uServerProcess.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QRegularExpression>
#include <QThread>

tServerProcess::~tServerProcess() {
    if (Process.state() != QProcess::NotRunning) {
        Process.terminate();
        if (!Process.waitForFinished(10000)) {
            Process.kill();
            Process.waitForFinished(10000);
        }
    }
}

bool tServerProcess::Start(const QString& workDir, const QStringList& arguments, QString& problem) {
    Process.setWorkingDirectory(workDir);
    ErrorsFile = workDir + "/stakkar-scores.stderr";
    Process.setStandardErrorFile(ErrorsFile);
    Process.start(STAKKAR_SCORES_BIN, QStringList{"--port", "0"} + arguments);
    static const QRegularExpression kListening("listening on \\S+ port (\\d+)");
    QByteArray out;
    const QDeadlineTimer deadline(30000);
    while (!deadline.hasExpired() && Process.waitForReadyRead(static_cast<int>(deadline.remainingTime()))) {
        out += Process.readAllStandardOutput();
        const QRegularExpressionMatch match = kListening.match(QString::fromUtf8(out));
        if (match.hasMatch()) {
            ListenPort = match.captured(1).toUShort();
            return true;
        }
    }
    Process.waitForFinished(1000);
    problem = "stakkar-scores did not start: " + QString::fromUtf8(out + Errors());
    return false;
}

QByteArray tServerProcess::Errors() const {
    QFile file(ErrorsFile);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray tServerProcess::ErrorsUntil(const QByteArray& wanted) {
    const QDeadlineTimer deadline(5000);
    QByteArray errors = Errors();
    while (!errors.contains(wanted) && !deadline.hasExpired()) {
        QThread::msleep(20);
        errors = Errors();
    }
    return errors;
}

int tServerProcess::Terminate(int ms) {
    Process.terminate();
    if (!Process.waitForFinished(ms) || Process.exitStatus() != QProcess::NormalExit) {
        return -1;
    }
    return Process.exitCode();
}

QString tServerProcess::Base() const {
    return QString("http://127.0.0.1:%1/").arg(ListenPort);
}
