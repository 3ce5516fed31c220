// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/uKeyEdit.h"

#include "platform/uCodePage.h"
#include "platform/uKeyCode.h"
#include "storage/uKeyNames.h"

#include <QKeyEvent>
#include <QMouseEvent>

TKeyEdit::TKeyEdit(QWidget* parent, int slot) : QLineEdit(parent), slot_(slot) {
    setObjectName(QString("eKeys%1").arg(slot));
    setReadOnly(true);
    setText(FromCodePage(kNoKey));
}

bool TKeyEdit::event(QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        keyPressEvent(static_cast<QKeyEvent*>(event));
        return true;
    }
    return QLineEdit::event(event);
}

void TKeyEdit::keyPressEvent(QKeyEvent* event) {
    event->accept();
    if (keyHandler_)
        keyHandler_(this, VirtualKeyCode(*event));
    selectAll();
}

void TKeyEdit::mousePressEvent(QMouseEvent* event) {
    QLineEdit::mousePressEvent(event);
    selectAll();
}

void TKeyEdit::mouseReleaseEvent(QMouseEvent* event) {
    QLineEdit::mouseReleaseEvent(event);
    selectAll();
}
