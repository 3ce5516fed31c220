// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/uSpinEdit.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWheelEvent>

TSpinEdit::TSpinEdit(QWidget* parent, const char* name, int minimum, int maximum) : QSpinBox(parent) {
    setObjectName(name);
    setRange(minimum, maximum);
    lineEdit()->setReadOnly(true);
}

void TSpinEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) {
        QSpinBox::keyPressEvent(event);
        return;
    }
    // Page keys would jump ten steps, Home and End to either limit.
    if (!event->text().isEmpty() && event->text().at(0).isPrint()) {
        QApplication::beep();
        event->accept();
        return;
    }
    event->ignore();
}

void TSpinEdit::wheelEvent(QWheelEvent* event) {
    event->ignore();
}
