// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/uPackIni.h"

#include "platform/uCodePage.h"
#include "storage/uTextTooLarge.h"

#include <QFile>
#include <QFileInfo>
#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <new>
#include <set>

std::string UnpackText(const std::string& packed) {
    std::string text;
    if (packed.empty()) {
        return text;
    }
    z_stream zs{};
    if (inflateInit(&zs) != Z_OK) {
        throw tPackError();
    }
    zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.data()));
    zs.avail_in = static_cast<uInt>(packed.size());
    char chunk[1024];
    for (;;) {
        zs.next_out = reinterpret_cast<Bytef*>(chunk);
        zs.avail_out = sizeof chunk;
        const int rc = inflate(&zs, Z_NO_FLUSH);
        const size_t got = sizeof chunk - zs.avail_out;
        if (const void* nul = std::memchr(chunk, '\0', got)) {
            text.append(chunk, static_cast<size_t>(static_cast<const char*>(nul) - chunk));
            break;
        }
        text.append(chunk, got);
        if (text.size() > kMaxPackedText) {
            inflateEnd(&zs);
            throw tPackError();
        }
        if (rc == Z_STREAM_END) {
            break;
        }
        if (rc == Z_BUF_ERROR || (rc == Z_OK && got == 0 && zs.avail_in == 0)) {
            // The file ends before the stream does: keep what was decoded.
            break;
        }
        if (rc != Z_OK) {
            inflateEnd(&zs);
            throw tPackError();
        }
    }
    inflateEnd(&zs);
    return text;
}

std::string PackText(const std::string& text) {
    uLongf size = compressBound(static_cast<uLong>(text.size()));
    std::string packed(size, '\0');
    const int rc = compress2(reinterpret_cast<Bytef*>(packed.data()), &size,
                             reinterpret_cast<const Bytef*>(text.data()), static_cast<uLong>(text.size()), 9);
    if (rc != Z_OK) {
        // With compressBound's room, only memory can run out.
        throw std::bad_alloc();
    }
    packed.resize(size);
    return packed;
}

void tStringListPackedINI::ReadCompressedFile(const std::string& path) {
    QFile file(QString::fromStdString(path));
    if (!file.exists()) {
        Clear();
        return;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        throw tPackError();
    }
    // A stream holding the largest text allowed is only slightly longer than that text; whatever lies beyond
    // is trailing bytes, which are ignored, so a huge file is never read whole.
    const qint64 limit = static_cast<qint64>(kMaxPackedText + kMaxPackedText / 16);
    const QByteArray bytes = file.read(std::min(limit, std::max<qint64>(file.size(), 0)));
    SetText(UnpackText(bytes.toStdString()));
}

void tStringListPackedINI::SaveCompressedFile(const std::string& path) const {
    const std::string text = Text();
    if (text.size() > kMaxPackedText) {
        throw tTextTooLarge(path, kMaxPackedText / (1024 * 1024));
    }
    WriteFileAtomically(path, PackText(text));
}

std::string KeepDamagedFile(const std::string& path) {
    const QString source = QString::fromStdString(path);
    QString target = source + ".damaged";
    for (int n = 1; QFileInfo::exists(target); ++n) {
        target = source + ".damaged." + QString::number(n);
    }
    return QFile::copy(source, target) ? target.toStdString() : std::string();
}

tDamagedFile ReadDataFile(tStringListPackedINI& doc, const std::string& path) {
    // A save killed between writing its copy and renaming it leaves the copy; the next start clears it.
    RemoveLeftoverTempFiles(path);
    tDamagedFile result;
    try {
        doc.ReadCompressedFile(path);
        return result;
    } catch (const tPackError&) {
    }
    doc.Clear();
    result.damaged = true;
    const std::string copy = KeepDamagedFile(path);
    if (!copy.empty()) {
        if (QFile::remove(QString::fromStdString(path))) {
            result.keptAs = ToCodePage(QFileInfo(QString::fromStdString(copy)).fileName());
            result.tell = true;
            return result;
        }
        // The damaged file stays where it is, so this copy would only be the first of one per read.
        QFile::remove(QString::fromStdString(copy));
    }
    result.leftInPlace = true;
    // Said once a run: every read would repeat it otherwise.
    static std::set<std::string> told;
    result.tell = told.insert(path).second;
    return result;
}
