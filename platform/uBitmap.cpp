// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/uBitmap.h"

#include <QPainter>
#include <algorithm>

QRgb ColorToRgb(uint32_t colorBGR) {
    return qRgb(static_cast<int>(colorBGR & 0xFF), static_cast<int>((colorBGR >> 8) & 0xFF),
                static_cast<int>((colorBGR >> 16) & 0xFF));
}

QImage SolidImage(int w, int h, uint32_t colorBGR) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(ColorToRgb(colorBGR));
    return image;
}

namespace {

bool IsOpaque32(QImage::Format format) {
    return format == QImage::Format_RGB32 || format == QImage::Format_ARGB32 ||
           format == QImage::Format_ARGB32_Premultiplied;
}

// The part of a w x h source at (x, y) that lies inside the destination; false when nothing does.
bool Clip(const QImage& dst, int& x, int& y, int& sx, int& sy, int& w, int& h) {
    if (x < 0) {
        sx -= x;
        w += x;
        x = 0;
    }
    if (y < 0) {
        sy -= y;
        h += y;
        y = 0;
    }
    w = std::min(w, dst.width() - x);
    h = std::min(h, dst.height() - y);
    return w > 0 && h > 0;
}

// A line of a 32-bit picture onto another, made opaque; four pixels a step, which the compiler does at once.
void CopyLineOpaque(QRgb* __restrict out, const QRgb* __restrict in, int count) {
    int i = 0;
    for (; i + 4 <= count; i += 4) {
        for (int k = 0; k < 4; ++k) {
            out[i + k] = in[i + k] | 0xFF000000u;
        }
    }
    for (; i < count; ++i) {
        out[i] = in[i] | 0xFF000000u;
    }
}

// The same, leaving the pixels of the key colour as they were; a choice without a branch per pixel.
void CopyLineKeyed(QRgb* __restrict out, const QRgb* __restrict in, int count, QRgb key) {
    const auto pick = [key](QRgb pixel, QRgb under) {
        return (pixel & 0xFFFFFFu) == key ? under : pixel | 0xFF000000u;
    };
    int i = 0;
    for (; i + 4 <= count; i += 4) {
        for (int k = 0; k < 4; ++k) {
            out[i + k] = pick(in[i + k], out[i + k]);
        }
    }
    for (; i < count; ++i) {
        out[i] = pick(in[i], out[i]);
    }
}

} // namespace

void DrawBitmap(QImage& dst, int x, int y, const tBitmap& src) {
    if (src.Empty()) {
        return;
    }
    if (!src.transparent) {
        // The well draws its cells many times a second: between 32-bit pictures the lines are copied
        // directly rather than through a painter, with the same result (opaque pixels).
        if (!IsOpaque32(dst.format()) || src.image.format() != QImage::Format_RGB32) {
            CopyRect(dst, x, y, src.image, 0, 0, src.Width(), src.Height());
            return;
        }
        int sx = 0;
        int sy = 0;
        int w = src.Width();
        int h = src.Height();
        if (!Clip(dst, x, y, sx, sy, w, h)) {
            return;
        }
        uchar* const bits = dst.bits();
        const qsizetype stride = dst.bytesPerLine();
        for (int row = 0; row < h; ++row) {
            auto* out = reinterpret_cast<QRgb*>(bits + (y + row) * stride) + x;
            const auto* in = reinterpret_cast<const QRgb*>(src.image.constScanLine(sy + row)) + sx;
            CopyLineOpaque(out, in, w);
        }
        return;
    }
    const QImage from = src.image.format() == QImage::Format_RGB32
                            ? src.image
                            : src.image.convertToFormat(QImage::Format_RGB32);
    const QRgb key = src.transparentColor & 0xFFFFFF;
    // The columns of the source that land inside the destination, worked out once, not at every pixel.
    const int firstColumn = std::max(0, -x);
    const int endColumn = std::min(from.width(), dst.width() - x);
    const int firstRow = std::max(0, -y);
    const int endRow = std::min(from.height(), dst.height() - y);
    if (!IsOpaque32(dst.format())) {
        for (int sy = firstRow; sy < endRow; ++sy) {
            const auto* line = reinterpret_cast<const QRgb*>(from.constScanLine(sy));
            for (int sx = firstColumn; sx < endColumn; ++sx) {
                if ((line[sx] & 0xFFFFFF) != key) {
                    dst.setPixel(x + sx, y + sy, line[sx] | 0xFF000000u);
                }
            }
        }
        return;
    }
    if (firstColumn >= endColumn) {
        return;
    }
    // The landing mark is a keyed picture drawn every tick: one detach for the whole picture.
    uchar* const bits = dst.bits();
    const qsizetype stride = dst.bytesPerLine();
    for (int sy = firstRow; sy < endRow; ++sy) {
        const auto* in = reinterpret_cast<const QRgb*>(from.constScanLine(sy)) + firstColumn;
        auto* out = reinterpret_cast<QRgb*>(bits + (y + sy) * stride) + x + firstColumn;
        CopyLineKeyed(out, in, endColumn - firstColumn, key);
    }
}

void CopyRect(QImage& dst, int dx, int dy, const QImage& src, int sx, int sy, int w, int h) {
    QPainter painter(&dst);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(dx, dy, src, sx, sy, w, h);
}
