#include "widgets/uFlatPanel.h"

#include <QPainter>

tFlatPanel::tFlatPanel(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void tFlatPanel::SetColors(const QColor& face, const QColor& border) {
    face_ = face;
    border_ = border;
    update();
}

void tFlatPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), face_);
    painter.setPen(border_);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
