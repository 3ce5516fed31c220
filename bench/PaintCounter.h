// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QEvent>
#include <QObject>
#include <QWidget>

// Counts the paint events a widget receives.
class tPaintCounter : public QObject {
public:
    explicit tPaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    int Count() const { return count_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++count_;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    int count_ = 0;
};
