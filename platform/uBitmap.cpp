#include "platform/uBitmap.h"

#include <QPainter>

QRgb ColorToRgb(uint32_t colorBGR) {
    return qRgb(static_cast<int>(colorBGR & 0xFF), static_cast<int>((colorBGR >> 8) & 0xFF),
                static_cast<int>((colorBGR >> 16) & 0xFF));
}

QImage SolidImage(int w, int h, uint32_t colorBGR) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(ColorToRgb(colorBGR));
    return image;
}

void DrawBitmap(QImage& dst, int x, int y, const tBitmap& src) {
    if (src.Empty()) {
        return;
    }
    if (!src.transparent) {
        CopyRect(dst, x, y, src.image, 0, 0, src.Width(), src.Height());
        return;
    }
    const QImage from = src.image.format() == QImage::Format_RGB32
                            ? src.image
                            : src.image.convertToFormat(QImage::Format_RGB32);
    const QRgb key = src.transparentColor & 0xFFFFFF;
    for (int sy = 0; sy < from.height(); ++sy) {
        const int dy = y + sy;
        if (dy < 0 || dy >= dst.height()) {
            continue;
        }
        const auto* line = reinterpret_cast<const QRgb*>(from.constScanLine(sy));
        for (int sx = 0; sx < from.width(); ++sx) {
            const int dx = x + sx;
            if (dx >= 0 && dx < dst.width() && (line[sx] & 0xFFFFFF) != key) {
                dst.setPixel(dx, dy, line[sx] | 0xFF000000u);
            }
        }
    }
}

void CopyRect(QImage& dst, int dx, int dy, const QImage& src, int sx, int sy, int w, int h) {
    QPainter painter(&dst);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(dx, dy, src, sx, sy, w, h);
}
