// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The harnesses whose readers take a path write each input to a file in a folder of their own, made once
// per process and removed at its end.

#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>

// The folder, ending in "/".
inline const std::string& FuzzFolder() {
    static const QTemporaryDir dir;
    static const std::string path = dir.path().toStdString() + "/";
    return path;
}

// Replaces the file "name" of the folder with the bytes; returns its path.
inline std::string WriteFuzzFile(const char* name, const uint8_t* data, size_t size) {
    const std::string path = FuzzFolder() + name;
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return path;
}
