// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/uBitmap.h"

#include <QImage>
#include <QtGlobal>

// The image in the pixel format the pictures use.
QImage PictureFormat(const QImage& image);

// A skin bitmap kept in the pixel format the pictures use, rebuilt only when the skin's bitmap changes, so
// that drawing a cell is a plain copy.
class tPreparedBitmap {
public:
    const tBitmap& From(const tBitmap& source);

private:
    qint64 key_ = -1;
    tBitmap prepared_;
};
