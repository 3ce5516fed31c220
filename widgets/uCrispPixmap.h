// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Bitmaps on labels, pixel for pixel at any device pixel ratio. A label scales a pixmap of another ratio
// smoothly, which blurs pixel art; given one at its own ratio, already enlarged without smoothing, it draws
// it as it is.

#include <QImage>

class QLabel;

void SetCrispPixmap(QLabel* label, const QImage& image);
