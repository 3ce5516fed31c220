// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/uResource.h"

#include <QFile>
#include <QImageReader>

QImage LoadResourceBitmap(std::string_view name) {
    const QString path =
        ":/bitmaps/" + QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())) + ".bmp";
    return ReadImageAs(path, "bmp");
}

QImage ReadImageAs(const QString& path, const char* format) {
    // Told not to find the format out, the reader asks no image plugin, and so loads none.
    QImageReader reader(path, format);
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

QByteArray LoadResourceData(std::string_view path) {
    QFile file(QString::fromLatin1(path.data(), static_cast<qsizetype>(path.size())));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
