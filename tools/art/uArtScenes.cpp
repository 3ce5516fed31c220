// SPDX-License-Identifier: GPL-3.0-or-later
#include "uArtIcons.h"
#include "uArtPictures.h"

#include <QPainter>
#include <QRadialGradient>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {

// A fixed sequence, so the same pictures come out of every build.
class tDice {
public:
    explicit tDice(uint32_t seed) : state_(seed) {}
    double Next() {
        state_ = state_ * 1664525u + 1013904223u;
        return (state_ >> 8) / double(1u << 24);
    }

private:
    uint32_t state_;
};

void DrawCell(QPainter& p, const QRectF& r, const QColor& light, const QColor& base, const QColor& dark,
              const QColor& edge) {
    const double d = std::max(1.5, r.width() / 7.0);
    p.setPen(Qt::NoPen);
    p.setBrush(edge);
    p.drawRect(r);
    const QRectF in = r.adjusted(1, 1, -1, -1);
    p.setBrush(dark);
    p.drawRect(in);
    QPainterPath top;
    top.moveTo(in.topLeft());
    top.lineTo(in.topRight());
    top.lineTo(in.bottomLeft());
    top.closeSubpath();
    p.setBrush(light);
    p.drawPath(top);
    p.setBrush(base);
    p.drawRect(in.adjusted(d, d, -d, -d));
}

void DrawSparkle(QPainter& p, QPointF c, double size, const QColor& color) {
    QPainterPath star;
    star.moveTo(c.x(), c.y() - size);
    star.quadTo(c, QPointF(c.x() + size, c.y()));
    star.quadTo(c, QPointF(c.x(), c.y() + size));
    star.quadTo(c, QPointF(c.x() - size, c.y()));
    star.quadTo(c, QPointF(c.x(), c.y() - size));
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawPath(star);
}

// A small well with a pile, a falling figure and its landing mark: the game at a glance.
void DrawWellScene(QPainter& p, const QRectF& area, const tPalette& pal, int cell, tDice& dice) {
    const int cols = 10;
    const int rows = static_cast<int>(area.height()) / cell;
    const QRectF well(area.center().x() - cols * cell / 2.0, area.bottom() - rows * cell, cols * cell,
                      rows * cell);
    p.setPen(Qt::NoPen);
    p.setBrush(pal.cell);
    p.drawRect(well);
    p.setPen(QPen(pal.cellLine, 1));
    for (int c = 1; c < cols; ++c) {
        p.drawLine(QPointF(well.left() + c * cell, well.top()),
                   QPointF(well.left() + c * cell, well.bottom()));
    }
    for (int r = 1; r < rows; ++r) {
        p.drawLine(QPointF(well.left(), well.top() + r * cell), QPointF(well.right(), well.top() + r * cell));
    }
    // The pile: uneven heights with one clean shaft left open, four rows deep, for the long figure.
    const int heights[cols] = {5, 4, 6, 4, 4, 4, 5, 0, 4, 4};
    for (int c = 0; c < cols; ++c) {
        for (int h = 0; h < heights[c]; ++h) {
            const QRectF r(well.left() + c * cell, well.bottom() - (h + 1) * cell, cell, cell);
            const bool fixed = dice.Next() < 0.3;
            DrawCell(p, r, fixed ? pal.fixedLight : pal.blockLight, fixed ? pal.fixed : pal.block,
                     fixed ? pal.fixedDark : pal.blockDark, pal.outline);
        }
    }
    // The four rows the long figure is about to clear, already glowing.
    QLinearGradient band(well.left(), 0, well.right(), 0);
    QColor shine = pal.blockLight;
    shine.setAlpha(0);
    band.setColorAt(0, shine);
    shine.setAlpha(90);
    band.setColorAt(0.5, shine);
    shine.setAlpha(0);
    band.setColorAt(1, shine);
    p.setPen(Qt::NoPen);
    p.setBrush(band);
    p.drawRect(QRectF(well.left(), well.bottom() - 4 * cell, well.width(), 4 * cell));
    // The landing mark of the long figure in the open shaft.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(pal.ghost, 1.5, Qt::DashLine));
    p.drawRect(QRectF(well.left() + 7 * cell + 2, well.bottom() - 4 * cell + 2, cell - 4, 4 * cell - 4));
    // The falling figure itself, high above.
    for (int i = 0; i < 4; ++i) {
        const QRectF r(well.left() + 7 * cell, well.top() + (2 + i) * cell, cell, cell);
        DrawCell(p, r, pal.blockLight, pal.block, pal.blockDark, pal.outline);
    }
    p.setPen(QPen(pal.outline, 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(well.adjusted(-1, -1, 1, 1));
}

} // namespace

QImage DrawLoginPicture(const tPalette& pal) {
    QImage image = NewImage(300, 360, pal.panel);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient glow(150, 190, 230);
    glow.setColorAt(0, Mix(pal.panelLight, pal.panel, 0.1));
    glow.setColorAt(0.55, pal.panel);
    glow.setColorAt(1, pal.panelDeep);
    p.fillRect(image.rect(), glow);
    tDice dice(64);
    for (int i = 0; i < 36; ++i) {
        QColor spark = pal.blockLight;
        spark.setAlpha(70 + static_cast<int>(dice.Next() * 150));
        const QPointF at(dice.Next() * 300, dice.Next() * 360);
        if (at.x() > 50 && at.x() < 250 && at.y() > 20) {
            continue;
        }
        DrawSparkle(p, at, 1.5 + dice.Next() * 3.5, spark);
    }
    DrawWellScene(p, QRectF(20, 18, 260, 324), pal, 18, dice);
    p.setPen(QPen(pal.outline, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, 299, 359));
    return image;
}

namespace {

struct tFigureShape {
    QPoint cells[4];
};

// One member of the group photo: a figure with a pair of eyes on its top cell.
void DrawPosingFigure(QPainter& p, const tFigureShape& shape, QPointF origin, double cell,
                      const QColor& color, const tPalette& pal, double lookX) {
    const QColor light = Mix(color, QColor(255, 255, 255), 0.45);
    const QColor dark = Mix(color, QColor(0, 0, 0), 0.4);
    const QPoint* top = &shape.cells[0];
    for (const QPoint& c : shape.cells) {
        DrawCell(p, QRectF(origin.x() + c.x() * cell, origin.y() + c.y() * cell, cell, cell), light, color,
                 dark, pal.outline);
        if (c.y() < top->y()) {
            top = &c;
        }
    }
    const QPointF eyes(origin.x() + (top->x() + 0.5) * cell, origin.y() + (top->y() + 0.5) * cell);
    for (const double side : {-1.0, 1.0}) {
        const QPointF eye = eyes + QPointF(side * cell * 0.2, 0);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255));
        p.drawEllipse(eye, cell * 0.14, cell * 0.19);
        p.setBrush(pal.outline);
        p.drawEllipse(eye + QPointF(lookX * cell * 0.05, cell * 0.04), cell * 0.07, cell * 0.09);
    }
}

} // namespace

QImage DrawPhoto(const tPalette& pal) {
    // A snapshot of the seven figures of the standard game, posing for the about page.
    const QColor paper(244, 234, 214);
    QImage image = NewImage(220, 280, paper);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF photo(10, 10, 200, 206);
    QLinearGradient backdrop(0, photo.top(), 0, photo.bottom());
    backdrop.setColorAt(0, pal.panelDeep);
    backdrop.setColorAt(0.75, Mix(pal.panel, pal.panelLight, 0.35));
    backdrop.setColorAt(1, pal.panel);
    p.fillRect(photo, backdrop);
    p.fillRect(QRectF(photo.left(), 146, photo.width(), photo.bottom() - 146),
               Mix(pal.panelDeep, pal.outline, 0.4));

    // Two rows, each figure standing on its row's floor, the back row taller.
    const double cell = 18;
    const QColor colors[7] = {pal.block,
                              pal.fixed,
                              Mix(pal.block, pal.panelLight, 0.55),
                              Mix(pal.fixed, pal.blockLight, 0.45),
                              Mix(pal.block, pal.fixed, 0.5),
                              Mix(pal.blockLight, pal.block, 0.35),
                              Mix(pal.fixedDark, pal.block, 0.55)};
    const std::vector<tFigureShape> rows[2] = {
        {{{{0, 0}, {0, 1}, {0, 2}, {0, 3}}},
         {{{1, 0}, {1, 1}, {0, 2}, {1, 2}}},
         {{{0, 0}, {0, 1}, {0, 2}, {1, 2}}},
         {{{0, 0}, {0, 1}, {1, 1}, {1, 2}}}},
        {{{{0, 0}, {1, 0}, {0, 1}, {1, 1}}},
         {{{1, 0}, {0, 1}, {1, 1}, {2, 1}}},
         {{{0, 0}, {1, 0}, {1, 1}, {2, 1}}}},
    };
    const double floors[2] = {150, 202};
    int member = 0;
    for (int row = 0; row < 2; ++row) {
        double used = 0;
        for (const tFigureShape& shape : rows[row]) {
            int right = 0;
            for (const QPoint& c : shape.cells) {
                right = std::max(right, c.x() + 1);
            }
            used += right * cell;
        }
        const double gap = (photo.width() - used) / static_cast<double>(rows[row].size() + 1);
        double x = photo.left() + gap;
        for (const tFigureShape& shape : rows[row]) {
            int right = 0;
            int bottom = 0;
            for (const QPoint& c : shape.cells) {
                right = std::max(right, c.x() + 1);
                bottom = std::max(bottom, c.y() + 1);
            }
            DrawPosingFigure(p, shape, QPointF(x, floors[row] - bottom * cell), cell, colors[member], pal,
                             x < photo.center().x() ? 1.0 : -1.0);
            x += right * cell + gap;
            ++member;
        }
    }
    tDice dice(7);
    for (int i = 0; i < 14; ++i) {
        QColor spark = pal.blockLight;
        spark.setAlpha(90 + static_cast<int>(dice.Next() * 120));
        DrawSparkle(p, QPointF(photo.left() + 8 + dice.Next() * 184, photo.top() + 8 + dice.Next() * 70),
                    1.5 + dice.Next() * 2.5, spark);
    }
    p.setPen(QPen(Mix(paper, QColor(0, 0, 0), 0.35), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(photo.adjusted(-0.5, -0.5, 0.5, 0.5));

    QFont font(QStringLiteral("DejaVu Serif"));
    font.setBold(true);
    font.setItalic(true);
    font.setPixelSize(24);
    QPainterPath caption;
    caption.addText(0, 0, font, QStringLiteral("Stakkar"));
    const QRectF box = caption.boundingRect();
    caption.translate(110 - box.center().x(), 249 - box.center().y());
    p.setPen(Qt::NoPen);
    p.setBrush(Mix(pal.panelDeep, QColor(0, 0, 0), 0.2));
    p.drawPath(caption);
    p.setPen(QPen(Mix(paper, QColor(0, 0, 0), 0.25), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, 219, 279));
    return image;
}

QImage DrawBackground(const tPalette& pal) {
    QImage image = NewImage(585, 460, pal.panelDeep);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 460);
    sky.setColorAt(0, Mix(pal.panelDeep, QColor(0, 0, 0), 0.5));
    sky.setColorAt(0.75, pal.panelDeep);
    sky.setColorAt(1, pal.panel);
    p.fillRect(image.rect(), sky);
    tDice dice(585);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 300; ++i) {
        QColor star(255, 255, 255, 40 + static_cast<int>(dice.Next() * 200));
        const double size = dice.Next() < 0.92 ? 0.6 : 1.3;
        p.setBrush(star);
        p.drawEllipse(QPointF(dice.Next() * 585, dice.Next() * 400), size, size);
    }
    // Polar light: curtains of thin vertical rays hanging from a wavy line, brightest at their lower edge.
    p.setRenderHint(QPainter::Antialiasing, false);
    const QColor tints[2] = {pal.block, pal.fixedLight};
    for (int band = 0; band < 2; ++band) {
        for (int x = 0; x < 585; ++x) {
            const double phase = x / 85.0 + band * 2.1;
            const double bottom = 150 + band * 70 + 38 * std::sin(phase) + 14 * std::sin(x / 21.0 + band);
            const double length = 90 + 50 * std::sin(x / 47.0 + band * 1.3);
            const double strength = 0.55 + 0.45 * std::sin(x / 13.0 + band * 0.7) * std::sin(x / 61.0);
            QLinearGradient ray(0, bottom - length, 0, bottom);
            QColor top = tints[band];
            top.setAlpha(0);
            QColor low = tints[band];
            low.setAlpha(static_cast<int>(20 + 70 * strength));
            ray.setColorAt(0, top);
            ray.setColorAt(0.85, low);
            ray.setColorAt(1, top);
            p.fillRect(QRectF(x, bottom - length, 1, length), ray);
        }
    }
    p.setRenderHint(QPainter::Antialiasing);
    // Mountains along the bottom.
    QPainterPath hills;
    hills.moveTo(0, 460);
    double x = 0;
    while (x < 600) {
        hills.lineTo(x, 385 + dice.Next() * 45);
        x += 25 + dice.Next() * 30;
    }
    hills.lineTo(585, 460);
    hills.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(Mix(pal.outline, pal.panelDeep, 0.3));
    p.drawPath(hills);
    return image;
}
