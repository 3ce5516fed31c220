// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/uImageView.h"

#include "widgets/uFramePacer.h"

#include <QMouseEvent>
#include <QPainter>

tImageView::tImageView(QWidget* parent, int width, int height, bool opaque)
    : QWidget(parent),
      image_(width, height, opaque ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied) {
    image_.fill(opaque ? Qt::black : Qt::transparent);
    setFixedSize(width, height);
    setAttribute(Qt::WA_OpaquePaintEvent, opaque);
}

void tImageView::Changed(const QRect& area) {
    if (pacer_ == nullptr) {
        update(area);
        return;
    }
    changed_ |= area;
    pacer_->Request(this, [this] {
        update(changed_);
        changed_ = QRect();
    });
}

void tImageView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect area = event->rect();
    painter.drawImage(area.topLeft(), image_, area);
}

void tImageView::mousePressEvent(QMouseEvent* event) {
    // A clickable view takes the press, so that its release comes back to it through a full-screen view too.
    if (event->button() == Qt::LeftButton && onClick_) {
        event->accept();
        return;
    }
    QWidget::mousePressEvent(event);
}

void tImageView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && onClick_) {
        onClick_();
        return;
    }
    QWidget::mouseReleaseEvent(event);
}
