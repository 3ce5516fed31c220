// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window shown while the main window is being built: the product name on the default colour.

#include <QWidget>

class QLabel;

class TSplash : public QWidget {
    Q_OBJECT
public:
    // Borderless 315 x 80, centred on the screen.
    TSplash();

    QLabel* lTitle = nullptr;
};
