// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/uSaveFile.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kTempSuffixLength = 6;

class tFd {
public:
    explicit tFd(int fd) : fd_(fd) {}
    tFd(const tFd&) = delete;
    tFd& operator=(const tFd&) = delete;
    ~tFd() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    int get() const { return fd_; }
    // close() can be the first to report a failed write (on network file systems), so its result counts.
    bool Close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

[[noreturn]] void Fail(const std::string& path, int error) {
    throw tSaveError(path, std::strerror(error));
}

std::string TempSuffix() {
    static constexpr char kChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::string suffix;
    for (int i = 0; i < kTempSuffixLength; ++i) {
        suffix += kChars[QRandomGenerator::global()->bounded(static_cast<int>(sizeof kChars - 1))];
    }
    return suffix;
}

// "<target>.XXXXXX", the suffix made by TempSuffix(); the target's name is returned, empty for any other
// name.
QString TargetOfTemp(const QString& name) {
    const qsizetype base = name.size() - kTempSuffixLength - 1;
    if (base < 1 || name[base] != '.') {
        return {};
    }
    for (qsizetype i = base + 1; i < name.size(); ++i) {
        const char16_t c = name[i].unicode();
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))) {
            return {};
        }
    }
    return name.left(base);
}

// Removes the temporary copies in folder whose target's name matches the wildcard and isTarget.
template <typename tIsTarget>
void RemoveLeftovers(const QDir& folder, const QString& wildcard, tIsTarget isTarget) {
    for (const QString& name :
         folder.entryList({wildcard + ".??????"}, QDir::Files | QDir::Hidden | QDir::System)) {
        const QString target = TargetOfTemp(name);
        if (target.isEmpty() || !isTarget(target)) {
            continue;
        }
        const std::string leftover = folder.filePath(name).toStdString();
        tFd fd(::open(leftover.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW));
        // A save in progress holds a lock on its temporary file; a killed one holds none any more.
        if (fd.get() >= 0 && ::flock(fd.get(), LOCK_EX | LOCK_NB) == 0) {
            ::unlink(leftover.c_str());
        }
    }
}

void SyncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// The folders leading to path that are missing, made private to the user as a data folder should be: the
// data folder comes into being with its first file.
void MakeFoldersOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos || slash == 0) {
        return;
    }
    const std::string folder = path.substr(0, slash);
    struct stat info {};
    if (::stat(folder.c_str(), &info) == 0) {
        return;
    }
    MakeFoldersOf(folder);
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        Fail(path, errno);
    }
}

} // namespace

void RemoveLeftoverTempFiles(const std::string& path) {
    const QFileInfo target(QString::fromStdString(path));
    const QString name = target.fileName();
    // The name itself may hold wildcard characters, so the listing's match is only a first sieve.
    RemoveLeftovers(target.dir(), name, [&](const QString& of) { return of == name; });
}

void RemoveLeftoverTempFilesLike(const std::string& pattern) {
    const QFileInfo target(QString::fromStdString(pattern));
    const QString wildcard = target.fileName();
    RemoveLeftovers(target.dir(), wildcard, [&](const QString& of) { return QDir::match(wildcard, of); });
}

void WriteFileAtomically(const std::string& path, const std::string& bytes) {
    MakeFoldersOf(path);
    RemoveLeftoverTempFiles(path);

    struct stat old {};
    const bool exists = ::stat(path.c_str(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode)) {
        Fail(path, EISDIR);
    }

    std::string temp;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        temp = path + "." + TempSuffix();
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) {
            Fail(path, errno);
        }
    }
    if (fd < 0) {
        Fail(path, EEXIST);
    }
    tFd file(fd);
    ::flock(file.get(), LOCK_EX | LOCK_NB);
    // The lock belongs to the open file, so this second handle keeps it after the checked close(), until the
    // rename is done: another program clearing leftovers never takes the copy for one of them.
    const tFd lock(::dup(file.get()));

    const auto abandon = [&](int error) {
        ::unlink(temp.c_str());
        Fail(path, error);
    };
    if (exists && ::fchmod(file.get(), old.st_mode & 07777) != 0) {
        abandon(errno);
    }
    size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(file.get(), bytes.data() + written, bytes.size() - written);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            abandon(errno);
        }
        written += static_cast<size_t>(n);
    }
    // Only what fsync() confirms is on the disk; a full disk can show here and nowhere earlier.
    if (::fsync(file.get()) != 0) {
        abandon(errno);
    }
    if (!file.Close() || ::rename(temp.c_str(), path.c_str()) != 0) {
        abandon(errno);
    }
    SyncFolder(QFileInfo(QString::fromStdString(path)).absolutePath().toStdString());
}
