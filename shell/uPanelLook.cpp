// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/uPanelLook.h"

#include "platform/uBitmap.h"

#include <QPalette>
#include <QWidget>

QFont PanelFont(bool bold) {
    QFont font("Verdana");
    font.setPixelSize(11);
    font.setBold(bold);
    return font;
}

void PaintPanel(QWidget* widget, uint32_t colorBGR) {
    widget->setAutoFillBackground(true);
    QPalette colors = widget->palette();
    colors.setColor(QPalette::Window, QColor(ColorToRgb(colorBGR)));
    colors.setColor(QPalette::WindowText, Qt::white);
    widget->setPalette(colors);
}
