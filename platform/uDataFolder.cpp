// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/uDataFolder.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString FromPath(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

std::string ToPath(const QString& path) {
    return QFile::encodeName(QDir::cleanPath(path)).toStdString();
}

} // namespace

bool IsGameFolder(const std::string& folder) {
    const QDir dir(FromPath(folder));
    return QFileInfo(dir, "skin").isDir() || QFileInfo(dir, "lang").isDir() ||
           QFileInfo(dir, "users.dat").exists() || QFileInfo(dir, "hscore.dat").exists();
}

std::string UserDataFolder(const std::string& xdgDataHome, const std::string& home) {
    const QString xdg = FromPath(xdgDataHome);
    const QString base = QDir::isAbsolutePath(xdg) ? xdg : FromPath(home) + "/.local/share";
    return ToPath(base + "/stakkar");
}

std::string ChooseDataFolder(const std::string& named, const std::string& workingFolder,
                             const std::string& xdgDataHome, const std::string& home) {
    if (!named.empty()) {
        return ToPath(QDir(FromPath(workingFolder)).absoluteFilePath(FromPath(named)));
    }
    if (IsGameFolder(workingFolder)) {
        return ToPath(QDir(FromPath(workingFolder)).absolutePath());
    }
    return UserDataFolder(xdgDataHome, home);
}
