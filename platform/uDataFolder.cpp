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

QString Absolute(const std::string& named, const std::string& workingFolder) {
    return QDir::cleanPath(QDir(FromPath(workingFolder)).absoluteFilePath(FromPath(named)));
}

} // namespace

bool IsGameFolder(const std::string& folder) {
    const QDir dir(FromPath(folder));
    return QFileInfo(dir, "users.dat").exists() || QFileInfo(dir, "hscore.dat").exists();
}

std::string UserDataFolder(const std::string& xdgDataHome, const std::string& home) {
    const QString xdg = FromPath(xdgDataHome);
    const QString base = QDir::isAbsolutePath(xdg) ? xdg : FromPath(home) + "/.local/share";
    return ToPath(base + "/stakkar");
}

std::string ChooseDataFolder(const std::string& named, const std::string& workingFolder,
                             const std::string& xdgDataHome, const std::string& home) {
    if (!named.empty()) {
        return ToPath(Absolute(named, workingFolder));
    }
    if (IsGameFolder(workingFolder)) {
        return ToPath(QDir(FromPath(workingFolder)).absolutePath());
    }
    return UserDataFolder(xdgDataHome, home);
}

std::string NamedFolderProblem(const std::string& named, const std::string& workingFolder) {
    const QString folder = Absolute(named, workingFolder);
    // A link that leads nowhere counts as there: the first save could not make a folder in its place.
    QString path = folder;
    QFileInfo info(path);
    while (!info.exists() && !info.isSymLink()) {
        path = QFileInfo(path).path();
        info = QFileInfo(path);
    }
    if (info.isDir()) {
        return {};
    }
    const QString what = info.isFile() ? " is a file, not a folder" : " is not a folder";
    const QString why = path == folder ? folder + what : folder + " cannot be made: " + path + what;
    return (why + "; players and high scores could not be saved there").toStdString();
}
