// SPDX-License-Identifier: GPL-3.0-or-later
#include "uArtKit.h"

#include <QFont>
#include <QPainter>
#include <QPainterPathStroker>
#include <cmath>

tPalette DefaultPalette() {
    tPalette p;
    p.panel = QColor(133, 34, 41);
    p.panelDeep = QColor(88, 19, 26);
    p.panelLight = QColor(186, 74, 72);
    p.outline = QColor(32, 6, 10);
    p.cell = QColor(44, 11, 16);
    p.cellLine = QColor(64, 19, 25);
    p.cellGlow = QColor(52, 14, 19);
    p.block = QColor(238, 158, 46);
    p.blockLight = QColor(255, 222, 132);
    p.blockDark = QColor(160, 82, 18);
    p.fixed = QColor(186, 92, 52);
    p.fixedLight = QColor(230, 150, 104);
    p.fixedDark = QColor(112, 44, 26);
    p.ghost = QColor(255, 214, 150);
    p.faceTop = QColor(178, 58, 60);
    p.faceBottom = QColor(104, 24, 31);
    p.hoverTop = QColor(222, 98, 78);
    p.hoverBottom = QColor(142, 40, 40);
    p.icon = QColor(255, 238, 214);
    p.iconHover = QColor(255, 216, 102);
    p.iconShadow = QColor(40, 6, 10, 170);
    p.key = QColor(255, 0, 255);
    return p;
}

tPalette AuroraPalette() {
    tPalette p;
    p.panel = QColor(24, 38, 66);
    p.panelDeep = QColor(14, 22, 42);
    p.panelLight = QColor(60, 96, 140);
    p.outline = QColor(4, 8, 18);
    p.cell = QColor(10, 18, 34);
    p.cellLine = QColor(22, 38, 62);
    p.cellGlow = QColor(14, 26, 46);
    p.block = QColor(52, 206, 178);
    p.blockLight = QColor(170, 255, 228);
    p.blockDark = QColor(16, 110, 112);
    p.fixed = QColor(94, 120, 200);
    p.fixedLight = QColor(160, 184, 246);
    p.fixedDark = QColor(42, 56, 120);
    p.ghost = QColor(170, 250, 226);
    p.faceTop = QColor(58, 92, 140);
    p.faceBottom = QColor(22, 38, 72);
    p.hoverTop = QColor(70, 160, 170);
    p.hoverBottom = QColor(22, 80, 100);
    p.icon = QColor(226, 244, 255);
    p.iconHover = QColor(150, 255, 214);
    p.iconShadow = QColor(0, 6, 20, 170);
    p.key = QColor(255, 0, 255);
    return p;
}

QImage NewImage(int width, int height, const QColor& fill) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(fill);
    return image;
}

QColor Mix(const QColor& a, const QColor& b, double t) {
    const auto mix = [t](int x, int y) { return static_cast<int>(std::lround(x + (y - x) * t)); };
    return QColor(mix(a.red(), b.red()), mix(a.green(), b.green()), mix(a.blue(), b.blue()),
                  mix(a.alpha(), b.alpha()));
}

void FillGradient(QImage& image, const QRect& rect, const QColor& top, const QColor& bottom) {
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        const double t = rect.height() > 1 ? double(y - rect.top()) / (rect.height() - 1) : 0.0;
        const QRgb color = Mix(top, bottom, t).rgb();
        for (int x = rect.left(); x <= rect.right(); ++x) {
            image.setPixel(x, y, color);
        }
    }
}

void BevelRect(QImage& image, const QRect& rect, const QColor& light, const QColor& base, const QColor& dark,
               int depth, const QColor& outline) {
    QRect inner = rect;
    if (outline.isValid()) {
        QPainter p(&image);
        p.setPen(outline);
        p.drawRect(rect.adjusted(0, 0, -1, -1));
        inner = rect.adjusted(1, 1, -1, -1);
    }
    FillGradient(image, inner, Mix(base, light, 0.18), Mix(base, dark, 0.18));
    for (int d = 0; d < depth; ++d) {
        const QRect r = inner.adjusted(d, d, -d, -d);
        const double fade = depth > 1 ? 1.0 - 0.45 * d / (depth - 1) : 1.0;
        const QRgb hi = Mix(base, light, fade).rgb();
        const QRgb lo = Mix(base, dark, fade).rgb();
        for (int x = r.left(); x <= r.right(); ++x) {
            image.setPixel(x, r.top(), hi);
            image.setPixel(x, r.bottom(), lo);
        }
        for (int y = r.top() + 1; y < r.bottom(); ++y) {
            image.setPixel(r.left(), y, hi);
            image.setPixel(r.right(), y, lo);
        }
    }
}

namespace {

bool InsideRounded(int x, int y, const QRect& r, int radius) {
    if (!r.contains(x, y)) {
        return false;
    }
    const double px = x + 0.5;
    const double py = y + 0.5;
    const double left = r.left() + radius;
    const double right = r.right() + 1 - radius;
    const double top = r.top() + radius;
    const double bottom = r.bottom() + 1 - radius;
    const double cx = px < left ? left : (px > right ? right : px);
    const double cy = py < top ? top : (py > bottom ? bottom : py);
    return (px - cx) * (px - cx) + (py - cy) * (py - cy) <= radius * radius + 0.25;
}

} // namespace

QRect DrawButtonBase(QImage& image, const tPalette& palette, bool hover, int radius) {
    image.fill(palette.key);
    const QRect shape(1, 1, image.width() - 2, image.height() - 2);
    const auto inside = [&](int x, int y) { return InsideRounded(x, y, shape, radius); };
    const QColor top = hover ? palette.hoverTop : palette.faceTop;
    const QColor bottom = hover ? palette.hoverBottom : palette.faceBottom;
    for (int y = 0; y < image.height(); ++y) {
        const double t = double(y - shape.top()) / (shape.height() - 1);
        for (int x = 0; x < image.width(); ++x) {
            if (!inside(x, y)) {
                continue;
            }
            const bool edge =
                !inside(x - 1, y) || !inside(x + 1, y) || !inside(x, y - 1) || !inside(x, y + 1);
            QColor c = Mix(top, bottom, t);
            if (edge) {
                c = palette.outline;
            } else if (!inside(x, y - 2) || !inside(x - 2, y)) {
                c = Mix(c, QColor(255, 255, 255), hover ? 0.45 : 0.30);
            } else if (!inside(x, y + 2) || !inside(x + 2, y)) {
                c = Mix(c, palette.outline, 0.45);
            }
            image.setPixel(x, y, c.rgb());
        }
    }
    return shape.adjusted(3, 3, -3, -3);
}

void DrawKeycap(QImage& image, const QRect& rect, const tPalette& palette) {
    QImage cap(rect.size(), QImage::Format_RGB32);
    tPalette capPalette = palette;
    capPalette.key = palette.panel;
    DrawButtonBase(cap, capPalette, false, 4);
    QPainter p(&image);
    p.drawImage(rect.topLeft(), cap);
}

QPainterPath Stroked(const QPainterPath& path, double width) {
    QPainterPathStroker stroker;
    stroker.setWidth(width);
    stroker.setCapStyle(Qt::RoundCap);
    stroker.setJoinStyle(Qt::RoundJoin);
    return stroker.createStroke(path).simplified();
}

QPainterPath TextPath(const QString& text, const QString& family, int pixelSize, double cx, double cy) {
    QFont font(family);
    font.setPixelSize(pixelSize);
    font.setBold(true);
    QPainterPath path;
    path.addText(0, 0, font, text);
    const QRectF box = path.boundingRect();
    return path.translated(cx - box.center().x(), cy - box.center().y());
}

void DrawIcon(QImage& image, const QPainterPath& icon16, const QRectF& rect, const QColor& color,
              const QColor& shadow) {
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    const double scale = std::min(rect.width(), rect.height()) / 16.0;
    QTransform place;
    place.translate(rect.center().x() - 8 * scale, rect.center().y() - 8 * scale);
    place.scale(scale, scale);
    const QPainterPath placed = place.map(icon16);
    p.setBrush(shadow);
    p.drawPath(placed.translated(0.0, 1.0));
    p.setBrush(color);
    p.drawPath(placed);
}
