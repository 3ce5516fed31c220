// SPDX-License-Identifier: GPL-3.0-or-later
#include "uArtPictures.h"

#include <QPainter>

namespace {

QColor Edge(const QColor& dark, const tPalette& palette) {
    return Mix(dark, palette.outline, 0.55);
}

} // namespace

QImage DrawBlock(const tPalette& palette) {
    QImage image = NewImage(20, 20, palette.block);
    BevelRect(image, image.rect(), palette.blockLight, palette.block, palette.blockDark, 3,
              Edge(palette.blockDark, palette));
    // A glint in the upper left corner of the face.
    image.setPixel(4, 4, Mix(palette.blockLight, QColor(255, 255, 255), 0.6).rgb());
    image.setPixel(5, 4, palette.blockLight.rgb());
    image.setPixel(4, 5, palette.blockLight.rgb());
    return image;
}

QImage DrawBlockFix(const tPalette& palette) {
    QImage image = NewImage(20, 20, palette.fixed);
    BevelRect(image, image.rect(), palette.fixedLight, palette.fixed, palette.fixedDark, 3,
              Edge(palette.fixedDark, palette));
    // A sunken stud in the middle marks the block as settled.
    BevelRect(image, QRect(7, 7, 6, 6), palette.fixedDark, Mix(palette.fixed, palette.fixedDark, 0.3),
              palette.fixedLight, 1, QColor());
    return image;
}

QImage DrawBlockFree(const tPalette& palette) {
    QImage image = NewImage(20, 20, palette.cell);
    FillGradient(image, QRect(1, 1, 19, 19), palette.cellGlow, palette.cell);
    for (int i = 0; i < 20; ++i) {
        image.setPixel(i, 0, palette.cellLine.rgb());
        image.setPixel(0, i, palette.cellLine.rgb());
    }
    image.setPixel(10, 10, Mix(palette.cellLine, palette.cellGlow, 0.3).rgb());
    return image;
}

QImage DrawBlockShadow(const tPalette& palette) {
    QImage image = NewImage(20, 20, kPureRed);
    // Corner brackets only: the cells below stay visible through the mark. Hard pixels, so that no colour
    // near pure red appears at the edges.
    const QRgb line = palette.ghost.rgb();
    const QRgb soft = Mix(palette.ghost, palette.cell, 0.55).rgb();
    for (int i = 1; i <= 6; ++i) {
        for (const int a : {1, 18}) {
            image.setPixel(i, a, line);
            image.setPixel(19 - i, a, line);
            image.setPixel(a, i, line);
            image.setPixel(a, 19 - i, line);
        }
    }
    for (int i = 2; i <= 5; ++i) {
        for (const int a : {2, 17}) {
            image.setPixel(i, a, soft);
            image.setPixel(19 - i, a, soft);
            image.setPixel(a, i, soft);
            image.setPixel(a, 19 - i, soft);
        }
    }
    for (int y = 8; y <= 11; ++y) {
        for (int x = 8; x <= 11; ++x) {
            image.setPixel(x, y, (x == 8 || x == 11) && (y == 8 || y == 11) ? soft : line);
        }
    }
    return image;
}

QImage DrawArrow(const tPalette& palette) {
    QImage image = NewImage(19, 18, palette.panel);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QPolygonF shape(
        {{1.0, 9.0}, {9.5, 1.0}, {9.5, 5.5}, {17.5, 5.5}, {17.5, 12.5}, {9.5, 12.5}, {9.5, 17.0}});
    QLinearGradient face(0, 1, 0, 17);
    face.setColorAt(0, palette.blockLight);
    face.setColorAt(0.5, palette.block);
    face.setColorAt(1, palette.blockDark);
    p.setPen(QPen(palette.outline, 1.2));
    p.setBrush(face);
    p.drawPolygon(shape);
    return image;
}

QImage DrawGlass(const tPalette& palette) {
    QImage image = NewImage(200, 400, palette.cell);
    FillGradient(image, image.rect(), palette.cellGlow, Mix(palette.cell, palette.panelLight, 0.25));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // Soft ribbons of light drifting down the well.
    for (int band = 0; band < 3; ++band) {
        QPainterPath ribbon;
        const double x0 = 30.0 + band * 60.0;
        ribbon.moveTo(x0, 0);
        ribbon.cubicTo(x0 + 80, 130, x0 - 70, 260, x0 + 20, 400);
        QColor glow = palette.block;
        glow.setAlpha(16 + band * 6);
        p.setPen(QPen(glow, 26 - band * 6, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(ribbon);
    }
    p.setRenderHint(QPainter::Antialiasing, false);
    QColor grid = palette.cellLine;
    for (int x = 0; x < 200; x += 20) {
        p.setPen(grid);
        p.drawLine(x, 0, x, 399);
    }
    for (int y = 0; y < 400; y += 20) {
        p.drawLine(0, y, 199, y);
    }
    return image;
}
