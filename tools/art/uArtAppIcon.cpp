// SPDX-License-Identifier: GPL-3.0-or-later
#include "uArtPictures.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>

// A piece of the well on a rounded tile: a T figure falls towards the one gap of the bottom row, drawn with
// the game's own block colours and bevels so that the icon looks like the blocks on screen. The cells are
// whole pixels at every size, so that small icons stay sharp.
QImage DrawAppIcon(const tPalette& palette, int size) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    const int margin = size >= 32 ? size / 16 : 0;
    const int cell = (size - 2 * margin) / 4;
    const int origin = (size - 4 * cell) / 2;
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        QLinearGradient well(0, 0, 0, size);
        well.setColorAt(0, palette.cellGlow);
        well.setColorAt(1, palette.cell);
        p.setPen(size >= 32 ? QPen(palette.outline, size / 64.0) : Qt::NoPen);
        p.setBrush(well);
        const double radius = size / 8.0;
        p.drawRoundedRect(QRectF(0.5, 0.5, size - 1.0, size - 1.0), radius, radius);
    }
    const int depth = std::max(1, cell / 6);
    const QColor outline = cell >= 8 ? palette.outline : QColor();
    const auto block = [&](int column, int row, bool falling) {
        const QRect rect(origin + column * cell, origin + row * cell, cell, cell);
        if (falling) {
            BevelRect(image, rect, palette.blockLight, palette.block, palette.blockDark, depth, outline);
        } else {
            BevelRect(image, rect, palette.fixedLight, palette.fixed, palette.fixedDark, depth, outline);
        }
    };
    for (const auto& [column, row] : {std::pair{1, 0}, {2, 0}, {3, 0}, {2, 1}}) {
        block(column, row, true);
    }
    for (const auto& [column, row] : {std::pair{0, 2}, {0, 3}, {1, 3}, {3, 3}}) {
        block(column, row, false);
    }
    return image;
}
