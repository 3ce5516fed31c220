// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSpinBox>

// A spin edit whose value moves only by its spin buttons and the Up and Down keys, one step at a time; a
// typed character is refused with a beep.
class TSpinEdit : public QSpinBox {
    Q_OBJECT
public:
    TSpinEdit(QWidget* parent, const char* name, int minimum, int maximum);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
};
