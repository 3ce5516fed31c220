// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A picture with an optional transparent colour, and the few pixel operations the program draws with.

#include <QImage>

struct tBitmap {
    QImage image;
    bool transparent = false;
    QRgb transparentColor = 0;

    int Width() const { return image.width(); }
    int Height() const { return image.height(); }
    bool Empty() const { return image.isNull(); }
};

// Draws src into dst with its top-left corner at (x, y); pixels of the transparent colour are skipped.
void DrawBitmap(QImage& dst, int x, int y, const tBitmap& src);
// Copies the rectangle (sx, sy, w, h) of src to (dx, dy) of dst, pixel for pixel.
void CopyRect(QImage& dst, int dx, int dy, const QImage& src, int sx, int sy, int w, int h);
// A solid w x h picture, the form in which a colour 0x00BBGGRR becomes a pixel.
QImage SolidImage(int w, int h, uint32_t colorBGR);
QRgb ColorToRgb(uint32_t colorBGR);
