// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/uPreparedBitmap.h"

QImage PictureFormat(const QImage& image) {
    return image.isNull() || image.format() == QImage::Format_RGB32
               ? image
               : image.convertToFormat(QImage::Format_RGB32);
}

const tBitmap& tPreparedBitmap::From(const tBitmap& source) {
    if (source.image.cacheKey() != key_) {
        key_ = source.image.cacheKey();
        prepared_.image = PictureFormat(source.image);
    }
    prepared_.transparent = source.transparent;
    prepared_.transparentColor = source.transparentColor;
    return prepared_;
}
