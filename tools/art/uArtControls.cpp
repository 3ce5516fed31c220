// SPDX-License-Identifier: GPL-3.0-or-later
#include "uArtIcons.h"
#include "uArtPictures.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>

QImage DrawButton(const tPalette& palette, const QPainterPath& icon, int width, int height, bool hover) {
    QImage image(width, height, QImage::Format_RGB32);
    const QRect area = DrawButtonBase(image, palette, hover, width > 24 ? 7 : 6);
    const double side = std::min(area.width(), area.height()) + 1.0;
    const QRectF box(area.center().x() + 0.5 - side / 2, area.center().y() + 0.5 - side / 2, side, side);
    DrawIcon(image, icon, box, hover ? palette.iconHover : palette.icon, palette.iconShadow);
    return image;
}

namespace {

// The small square buttons that follow the mouse along the high score rows.
QImage DrawRowButton(const tPalette& palette, const QPainterPath& icon, bool hover) {
    QImage image = NewImage(18, 18, palette.panel);
    const QColor top = hover ? palette.hoverTop : palette.faceTop;
    const QColor bottom = hover ? palette.hoverBottom : palette.faceBottom;
    BevelRect(image, image.rect(), Mix(top, QColor(255, 255, 255), 0.35), Mix(top, bottom, 0.5),
              Mix(bottom, palette.outline, 0.4), 1, palette.outline);
    DrawIcon(image, icon, QRectF(2.5, 2.5, 13, 13), hover ? palette.iconHover : palette.icon,
             palette.iconShadow);
    return image;
}

} // namespace

QImage DrawUpload(const tPalette& palette, bool hover) {
    return DrawRowButton(palette, UploadIcon(), hover);
}

QImage DrawWatch(const tPalette& palette, bool hover) {
    return DrawRowButton(palette, WatchIcon(), hover);
}

QImage DrawTab(const tPalette& palette, const QString& text, const QPainterPath& icon, bool selected) {
    // The tab stands left of its page; its last column lies on the page's left border. A selected tab opens
    // into its page, an unselected one is closed by the border line.
    QImage image = NewImage(31, 60, palette.panel);
    const QColor face = selected ? palette.panel : palette.panelDeep;
    QPainter p(&image);
    QPainterPath shape;
    shape.addRoundedRect(QRectF(0.5, 0.5, 40.0, 59.0), 6, 6);
    if (selected) {
        QLinearGradient light(0, 0, 31, 0);
        light.setColorAt(0, Mix(palette.panel, palette.panelLight, 0.55));
        light.setColorAt(1, palette.panel);
        p.setBrush(light);
    } else {
        p.setBrush(face);
    }
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(palette.outline, 1.0));
    p.drawPath(shape);
    p.setRenderHint(QPainter::Antialiasing, false);
    if (!selected) {
        p.setPen(palette.outline);
        p.drawLine(30, 0, 30, 59);
    } else {
        p.setPen(palette.panel);
        p.drawLine(30, 1, 30, 58);
    }
    p.end();

    const QColor ink = selected ? palette.iconHover : Mix(palette.icon, palette.panelDeep, 0.35);
    DrawIcon(image, icon, QRectF(7.5, 3.5, 14, 14), ink, palette.iconShadow);

    // The word runs up the tab, read with the head turned left.
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(9);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 0.6);
    const double room = 38.0;
    const double width = QFontMetricsF(font).horizontalAdvance(text);
    if (width > room) {
        font.setLetterSpacing(QFont::AbsoluteSpacing, 0.0);
        font.setStretch(static_cast<int>(100.0 * room / QFontMetricsF(font).horizontalAdvance(text)));
    }
    QPainterPath word;
    word.addText(0, 0, font, text);
    const QRectF box = word.boundingRect();
    QTransform up;
    up.translate(15.0, 39.5);
    up.rotate(-90);
    up.translate(-box.center().x(), -box.center().y());
    const QPainterPath placed = up.map(word);
    QPainter w(&image);
    w.setRenderHint(QPainter::Antialiasing);
    w.setPen(Qt::NoPen);
    w.setBrush(palette.iconShadow);
    w.drawPath(placed.translated(1.0, 0.0));
    w.setBrush(ink);
    w.drawPath(placed);
    return image;
}

QImage DrawKeys(const tPalette& palette, bool left) {
    QImage image = NewImage(31, 135, palette.panel);
    // One keycap per row of key edits: Rotate, Move, Accelerate, Drop. The right column has no Drop edit.
    const QPainterPath icons[4] = {TurnIcon(left), ShiftIcon(left), DownIcon(!left), DropIcon()};
    const int tops[4] = {3, 37, 72, 106};
    const int rows = left ? 4 : 3;
    for (int i = 0; i < rows; ++i) {
        const QRect cap(2, tops[i], 27, 27);
        DrawKeycap(image, cap, palette);
        DrawIcon(image, icons[i], QRectF(cap.left() + 4.5, cap.top() + 4.0, 17, 17), palette.icon,
                 palette.iconShadow);
    }
    return image;
}
