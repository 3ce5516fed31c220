// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/uFlatPanel.h"

#include "widgets/uFlatStyle.h"

tFlatPanel::tFlatPanel(QWidget* parent) : QFrame(parent) {
    SetColors(Qt::black, Qt::black);
}

void tFlatPanel::SetColors(const QColor& face, const QColor& border) {
    SetFlatPanelColors(this, face, border);
}
