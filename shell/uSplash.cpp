// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/uSplash.h"

#include "look/uSkin.h"
#include "platform/uBitmap.h"

#include <QColor>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

TSplash::TSplash() : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setFixedSize(315, 80);
    setAutoFillBackground(true);
    QPalette colors = palette();
    colors.setColor(QPalette::Window, QColor(ColorToRgb(skincolor::DarkRed)));
    setPalette(colors);

    auto* panel = new QFrame(this);
    panel->setGeometry(0, 0, 315, 80);
    lTitle = new QLabel("Stakkar", panel);
    lTitle->setGeometry(0, 0, 315, 80);
    lTitle->setAlignment(Qt::AlignCenter);
    QFont font("Courier New");
    font.setPixelSize(63);
    font.setBold(true);
    lTitle->setFont(font);
    lTitle->setStyleSheet("color: white; background: transparent;");

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}
