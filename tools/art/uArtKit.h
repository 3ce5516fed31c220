// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The colours and the few drawing moves every picture of the game is made of, so that the pictures belong
// together: bevelled blocks, rounded buttons on a key colour, keycaps, and icons with a soft drop shadow.

#include <QColor>
#include <QImage>
#include <QPainterPath>
#include <QRect>

struct tPalette {
    QColor panel;      // the panels the pictures sit on
    QColor panelDeep;  // unselected tabs, recesses
    QColor panelLight; // highlights on panels
    QColor outline;    // the dark line around every shape
    QColor cell;       // the empty cell of the well
    QColor cellLine;   // its grid line
    QColor cellGlow;   // its faint inner light
    QColor block;      // the falling block
    QColor blockLight;
    QColor blockDark;
    QColor fixed; // a block marked as fixed
    QColor fixedLight;
    QColor fixedDark;
    QColor ghost;   // the landing mark
    QColor faceTop; // button face, top of its gradient
    QColor faceBottom;
    QColor hoverTop; // button face under the pointer
    QColor hoverBottom;
    QColor icon; // icons and texts
    QColor iconHover;
    QColor iconShadow;
    QColor key; // the background a button picture lets the panel show through
};

tPalette DefaultPalette();
// The cool night palette of the sample skin.
tPalette AuroraPalette();

QImage NewImage(int width, int height, const QColor& fill);
QColor Mix(const QColor& a, const QColor& b, double t);

// A raised square: light top and left edges, dark bottom and right ones, depth pixels wide, and a one-pixel
// outline when outline is valid.
void BevelRect(QImage& image, const QRect& rect, const QColor& light, const QColor& base, const QColor& dark,
               int depth, const QColor& outline);
// A vertical gradient inside rect.
void FillGradient(QImage& image, const QRect& rect, const QColor& top, const QColor& bottom);

// A rounded button on the key colour, its silhouette without soft edges so that no key colour bleeds into it.
// Returns the rectangle the icon may use.
QRect DrawButtonBase(QImage& image, const tPalette& palette, bool hover, int radius);
// A keycap: a small raised rounded square on the panel.
void DrawKeycap(QImage& image, const QRect& rect, const tPalette& palette);

// An icon path laid out in a 16 x 16 box, scaled into rect, filled with a drop shadow below it.
void DrawIcon(QImage& image, const QPainterPath& icon16, const QRectF& rect, const QColor& color,
              const QColor& shadow);
// A line icon (strokes), widths in the 16 x 16 box.
QPainterPath Stroked(const QPainterPath& path, double width);
// Text laid out as a path, centred on (cx, cy) in the 16 x 16 box.
QPainterPath TextPath(const QString& text, const QString& family, int pixelSize, double cx, double cy);
