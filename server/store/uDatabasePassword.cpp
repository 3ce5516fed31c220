// SPDX-License-Identifier: GPL-3.0-or-later
#include "server/store/uDatabasePassword.h"

#include <QFile>
#include <QProcessEnvironment>

namespace {

// Longer than any password: a file past it is something else.
constexpr qint64 kLongestPassword = 4096;

tStoreResult<QString> ReadPassword(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return tStoreFailure{"The password file " + path + " could not be read: " + file.errorString()};
    }
    const QByteArray text = file.read(kLongestPassword + 1);
    const qsizetype end = text.indexOf('\n');
    QByteArray line = end < 0 ? text : text.first(end);
    if (line.endsWith('\r')) {
        line.chop(1);
    }
    if (line.isEmpty() || text.size() > kLongestPassword) {
        return tStoreFailure{"The password file " + path + " does not hold a password on its first line."};
    }
    return QString::fromUtf8(line);
}

} // namespace

tStoreResult<QString> DatabasePassword(const QString& file) {
    if (!file.isEmpty()) {
        return ReadPassword(file);
    }
    const QString credentials = QProcessEnvironment::systemEnvironment().value("CREDENTIALS_DIRECTORY");
    const QString credential = credentials + "/" + kPasswordCredential;
    if (!credentials.isEmpty() && QFile::exists(credential)) {
        return ReadPassword(credential);
    }
    return QString();
}
