// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A real file system that runs full or turns read-only: a tmpfs of a few pages mounted on a temporary folder
// for the life of the object. Mounting needs root (or a mount namespace); where it is refused, Mounted() is
// false and Why() says why, so the test can skip with that message.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cerrno>
#include <cstring>
#include <string>
#include <sys/mount.h>

class tSmallDisk {
public:
    explicit tSmallDisk(const char* size = "64k") {
        const std::string options = std::string("size=") + size + ",mode=0777";
        if (::mount("tmpfs", Path().c_str(), "tmpfs", MS_NOSUID | MS_NODEV, options.c_str()) == 0) {
            mounted_ = true;
        } else {
            why_ = std::string("cannot mount a small tmpfs here (") + std::strerror(errno) +
                   "); run the tests as root to check saves on a full disk";
        }
    }
    ~tSmallDisk() {
        if (mounted_) {
            ::umount2(Path().c_str(), MNT_DETACH);
        }
    }
    tSmallDisk(const tSmallDisk&) = delete;
    tSmallDisk& operator=(const tSmallDisk&) = delete;

    bool Mounted() const { return mounted_; }
    const std::string& Why() const { return why_; }
    std::string Path() const { return dir_.path().toStdString(); }
    std::string File(const char* name) const { return dir_.filePath(name).toStdString(); }

    // Takes every free block, so that the next write of any size fails with "No space left on device".
    void Fill() const {
        QFile filler(dir_.filePath("filler"));
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
            return;
        }
        const QByteArray page(4096, 'x');
        while (filler.write(page) == page.size()) {
        }
        const QByteArray byte(1, 'x');
        while (filler.write(byte) == 1) {
        }
    }

    // Mounts the disk again read-only, so that every write fails with "Read-only file system" whoever writes
    // (the tests run as root, whom file permissions do not stop). False when the system refuses.
    bool MakeReadOnly() const {
        return ::mount(nullptr, Path().c_str(), nullptr, MS_REMOUNT | MS_RDONLY | MS_NOSUID | MS_NODEV,
                       nullptr) == 0;
    }

private:
    QTemporaryDir dir_;
    bool mounted_ = false;
    std::string why_;
};
