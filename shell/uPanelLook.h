// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The look the window's panels are built with, before any skin paints them: 11-pixel Verdana, white text on
// the panel's colour. Every view starts from it, so it is said once.

#include <QFont>

#include <cstdint>

class QWidget;

QFont PanelFont(bool bold);
// The widget fills its background with colorBGR (the skin's byte order) and writes in white.
void PaintPanel(QWidget* widget, uint32_t colorBGR);
