// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every picture the game carries or the sample skin ships, drawn at its exact size from a palette.

#include "uArtKit.h"

#include <QByteArray>
#include <QImage>
#include <QString>
#include <vector>

// The transparent colour of the landing mark.
inline const QColor kPureRed(255, 0, 0);

// Blocks and the well.
QImage DrawBlock(const tPalette& palette);
QImage DrawBlockFree(const tPalette& palette);
QImage DrawBlockFix(const tPalette& palette);
QImage DrawBlockShadow(const tPalette& palette);
QImage DrawArrow(const tPalette& palette);
QImage DrawGlass(const tPalette& palette);

// Controls.
QImage DrawButton(const tPalette& palette, const QPainterPath& icon, int width, int height, bool hover);
QImage DrawUpload(const tPalette& palette, bool hover);
QImage DrawWatch(const tPalette& palette, bool hover);
QImage DrawTab(const tPalette& palette, const QString& text, const QPainterPath& icon, bool selected);
QImage DrawKeys(const tPalette& palette, bool left);

// Scenes.
QImage DrawLoginPicture(const tPalette& palette);
QImage DrawPhoto(const tPalette& palette);
QImage DrawBackground(const tPalette& palette);

// The program's icon, size pixels square, on a transparent ground.
QImage DrawAppIcon(const tPalette& palette, int size);
// The same icon as an SVG document, for the scalable size of the icon theme.
QByteArray DrawAppIconSvg(const tPalette& palette);

struct tPicture {
    QString name;
    int width;
    int height;
    QImage (*draw)(const tPalette&);
    // Pure red for the landing mark; invalid for opaque pictures.
    QColor transparent;
    // Carried by the game; the others exist only in skins.
    bool builtIn;
};

const std::vector<tPicture>& Pictures();
const tPicture* FindPicture(const QString& name);
