// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A flat panel: a face with a one-pixel border, in colours of its own, painted by the flat style as every
// flat control is.

#include <QColor>
#include <QFrame>

class tFlatPanel : public QFrame {
public:
    explicit tFlatPanel(QWidget* parent);
    void SetColors(const QColor& face, const QColor& border);
};
