// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/uOther.h"

#include "platform/uBitmap.h"
#include "platform/uResource.h"
#include "widgets/uCrispPixmap.h"

#include <QMouseEvent>

QImage KeyedPicture(const QImage& bitmap) {
    QImage picture(bitmap.size(), QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    if (bitmap.isNull()) {
        return picture;
    }
    const tBitmap src{bitmap, true, bitmap.pixel(0, bitmap.height() - 1)};
    DrawBitmap(picture, 0, 0, src);
    return picture;
}

tMyButton::tMyButton(QWidget* parent) : QLabel(parent) {
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setFocusPolicy(Qt::NoFocus);
}

void tMyButton::SetBitmaps(const QImage& normal, const QImage& hover) {
    normalBitmap_ = normal;
    hoverBitmap_ = hover;
}

void tMyButton::DrawPicture(const QImage& bitmap) {
    picture_ = KeyedPicture(bitmap);
    SetCrispPixmap(this, picture_);
}

void tMyButton::SetHint(const QString& hint) {
    hint_ = hint;
    setToolTip(hint);
}

void tMyButton::enterEvent(QEnterEvent* event) {
    DrawHover();
    QLabel::enterEvent(event);
}

void tMyButton::leaveEvent(QEvent* event) {
    DrawNormal();
    QLabel::leaveEvent(event);
}

void tMyButton::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
    // Taken, not passed on: a press nobody takes gets no release where full screen routes the mouse through
    // a graphics view.
    event->setAccepted(pressed_);
}

void tMyButton::mouseReleaseEvent(QMouseEvent* event) {
    // A click is a press and release of the left button on the button, as with any picture control.
    const bool click =
        pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    QLabel::mouseReleaseEvent(event);
    if (click) {
        emit clicked();
    }
}

tMyButton* CreateImageButton(QWidget* panel, int left, int top, int width, int height,
                             std::string_view normalName, std::string_view hoverName, const QString& hint) {
    auto* button = new tMyButton(panel);
    button->setGeometry(left, top, width, height);
    button->SetBitmaps(LoadResourceBitmap(normalName), LoadResourceBitmap(hoverName));
    button->SetHint(hint);
    button->DrawNormal();
    button->show();
    return button;
}
