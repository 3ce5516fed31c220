// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/uShell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <utility>

namespace {
tShellOpener& Opener() {
    static tShellOpener opener;
    return opener;
}
} // namespace

QUrl ShellUrl(const std::string& target) {
    const QString text = QString::fromStdString(target);
    // Two letters at least before the colon, so a Windows-style "C:" path is never taken for a scheme.
    static const QRegularExpression scheme("^[A-Za-z][A-Za-z0-9+.-]+:");
    if (scheme.match(text).hasMatch()) {
        return QUrl::fromEncoded(QByteArray::fromStdString(target), QUrl::TolerantMode);
    }
    return QUrl::fromLocalFile(QFileInfo(text).absoluteFilePath());
}

bool ShellOpen(const std::string& target) {
    if (Opener()) {
        return Opener()(target);
    }
    qWarning("nothing installed to open %s", target.c_str());
    return false;
}

bool OpenWithDesktop(const std::string& target) {
    const QUrl url = ShellUrl(target);
    // QUrl writes percent-encoded letters and digits plainly. That is the same address to a web server, yet
    // a signed record must reach the browser byte for byte as it was built, so the desktop's opener gets
    // such an address as it is written.
    if (!url.isLocalFile() && url.toEncoded() != QByteArray::fromStdString(target)) {
        const QString opener = QStandardPaths::findExecutable("xdg-open");
        if (!opener.isEmpty() && QProcess::startDetached(opener, {QString::fromLatin1(target)})) {
            return true;
        }
    }
    return QDesktopServices::openUrl(url);
}

tShellOpener SetShellOpener(tShellOpener opener) {
    return std::exchange(Opener(), std::move(opener));
}
