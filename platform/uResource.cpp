// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/uResource.h"

#include <QFile>

QImage LoadResourceBitmap(std::string_view name) {
    const QString path =
        ":/bitmaps/" + QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())) + ".bmp";
    return QImage(path, "BMP");
}

QByteArray LoadResourceData(std::string_view path) {
    QFile file(QString::fromLatin1(path.data(), static_cast<qsizetype>(path.size())));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
