// SPDX-License-Identifier: GPL-3.0-or-later
#include "uArtPictures.h"

#include <QTextStream>
#include <utility>

namespace {

// The icon's geometry at 256 pixels, the largest PNG size, so that the scalable icon shown at that size is the
// PNG's picture.
constexpr int kSize = 256;
constexpr int kMargin = kSize / 16;
constexpr int kCell = (kSize - 2 * kMargin) / 4;
constexpr int kOrigin = (kSize - 4 * kCell) / 2;
constexpr int kDepth = kCell / 6;

// A gradient across the bounding box of whatever it fills, from (x1, y1) to (x2, y2) in box units.
void Gradient(QTextStream& out, const QString& id, const QColor& from, const QColor& to, int x1, int y1, int x2,
              int y2) {
    out << QString("    <linearGradient id=\"%1\" x1=\"%2\" y1=\"%3\" x2=\"%4\" y2=\"%5\">\n")
               .arg(id)
               .arg(x1)
               .arg(y1)
               .arg(x2)
               .arg(y2)
        << QString("      <stop offset=\"0\" stop-color=\"%1\"/>\n").arg(from.name())
        << QString("      <stop offset=\"1\" stop-color=\"%1\"/>\n").arg(to.name()) << "    </linearGradient>\n";
}

// The gradients of a raised block, as the bitmaps draw it: a face lit from above, and bevels that fade from
// the block's edge inwards, light on the top and left, dark on the bottom and right.
void BlockGradients(QTextStream& out, const QString& kind, const QColor& light, const QColor& base,
                    const QColor& dark) {
    const QColor lightEdge = Mix(base, light, 1.0);
    const QColor lightInner = Mix(base, light, 0.55);
    const QColor darkEdge = Mix(base, dark, 1.0);
    const QColor darkInner = Mix(base, dark, 0.55);
    Gradient(out, kind + "-face", Mix(base, light, 0.18), Mix(base, dark, 0.18), 0, 0, 0, 1);
    Gradient(out, kind + "-top", lightEdge, lightInner, 0, 0, 0, 1);
    Gradient(out, kind + "-left", lightEdge, lightInner, 0, 0, 1, 0);
    Gradient(out, kind + "-bottom", darkEdge, darkInner, 0, 1, 0, 0);
    Gradient(out, kind + "-right", darkEdge, darkInner, 1, 0, 0, 0);
}

QString Polygon(const QString& fill, std::initializer_list<std::pair<int, int>> points) {
    QString list;
    for (const auto& [x, y] : points) {
        list += QString("%1%2,%3").arg(list.isEmpty() ? "" : " ").arg(x).arg(y);
    }
    return QString("    <polygon fill=\"url(#%1)\" points=\"%2\"/>\n").arg(fill, list);
}

void Block(QTextStream& out, const QString& kind, const QColor& outline, int column, int row) {
    const int left = kOrigin + column * kCell;
    const int top = kOrigin + row * kCell;
    // Inside the one-pixel outline.
    const int l = left + 1;
    const int t = top + 1;
    const int r = left + kCell - 1;
    const int b = top + kCell - 1;
    const int d = kDepth;
    out << QString("  <g>\n    <rect x=\"%1.5\" y=\"%2.5\" width=\"%3\" height=\"%3\" fill=\"none\" stroke=\"%4\"/>\n")
               .arg(left)
               .arg(top)
               .arg(kCell - 1)
               .arg(outline.name())
        << QString("    <rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%3\" fill=\"url(#%4-face)\"/>\n")
               .arg(l)
               .arg(t)
               .arg(r - l)
               .arg(kind)
        << Polygon(kind + "-top", {{l, t}, {r, t}, {r - d, t + d}, {l + d, t + d}})
        << Polygon(kind + "-left", {{l, t}, {l + d, t + d}, {l + d, b - d}, {l, b}})
        << Polygon(kind + "-bottom", {{l, b}, {l + d, b - d}, {r - d, b - d}, {r, b}})
        << Polygon(kind + "-right", {{r, t}, {r, b}, {r - d, b - d}, {r - d, t + d}}) << "  </g>\n";
}

} // namespace

QByteArray DrawAppIconSvg(const tPalette& palette) {
    QString text;
    QTextStream out(&text);
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << QString("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%1\" viewBox=\"0 0 %1 %1\">\n")
               .arg(kSize)
        << "  <title>Stakkar</title>\n"
        << "  <defs>\n";
    Gradient(out, "well", palette.cellGlow, palette.cell, 0, 0, 0, 1);
    BlockGradients(out, "falling", palette.blockLight, palette.block, palette.blockDark);
    BlockGradients(out, "fixed", palette.fixedLight, palette.fixed, palette.fixedDark);
    out << "  </defs>\n"
        << QString("  <rect x=\"0.5\" y=\"0.5\" width=\"%1\" height=\"%1\" rx=\"%2\" fill=\"url(#well)\" "
                   "stroke=\"%3\" stroke-width=\"%4\"/>\n")
               .arg(kSize - 1)
               .arg(kSize / 8)
               .arg(palette.outline.name())
               .arg(kSize / 64);
    for (const auto& [column, row] : {std::pair{1, 0}, {2, 0}, {3, 0}, {2, 1}}) {
        Block(out, "falling", palette.outline, column, row);
    }
    for (const auto& [column, row] : {std::pair{0, 2}, {0, 3}, {1, 3}, {3, 3}}) {
        Block(out, "fixed", palette.outline, column, row);
    }
    out << "</svg>\n";
    out.flush();
    return text.toUtf8();
}
