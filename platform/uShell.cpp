#include "platform/uShell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QRegularExpression>
#include <utility>

namespace {
tShellHook& Hook() {
    static tShellHook hook;
    return hook;
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

void ShellOpen(const std::string& target) {
    if (Hook()) {
        Hook()(target);
        return;
    }
    QDesktopServices::openUrl(ShellUrl(target));
}

tShellHook SetShellHook(tShellHook hook) {
    return std::exchange(Hook(), std::move(hook));
}
