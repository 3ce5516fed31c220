#include "widgets/uLabels.h"

#include "platform/uBitmap.h"
#include "platform/uCodePage.h"

#include <QMouseEvent>
#include <QPainter>

tImageView::tImageView(QWidget* parent, int width, int height, bool opaque)
    : QWidget(parent),
      image_(width, height, opaque ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied) {
    image_.fill(opaque ? Qt::black : Qt::transparent);
    setFixedSize(width, height);
    setAttribute(Qt::WA_OpaquePaintEvent, opaque);
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

tTextLabel::tTextLabel(QWidget* parent, int left, int top, int width, int height, bool bold)
    : QLabel(parent) {
    setGeometry(left, top, width, height);
    setFixedSize(width, height);
    setAlignment(Qt::AlignCenter);
    setTextFormat(Qt::PlainText);
    setAutoFillBackground(false);
    setAttribute(Qt::WA_TranslucentBackground);
    if (bold) {
        QFont boldFont = font();
        boldFont.setBold(true);
        setFont(boldFont);
    }
}

void tTextLabel::SetText(const std::string& text) {
    if (shown_ && text == text_) {
        return;
    }
    text_ = text;
    shown_ = true;
    QString shown = FromCodePage(text);
    shown.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
    setText(shown);
}

void tTextLabel::SetColor(uint32_t colorBGR) {
    QPalette colors = palette();
    colors.setColor(QPalette::WindowText, QColor::fromRgb(ColorToRgb(colorBGR)));
    setPalette(colors);
}

void tTextLabel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && onClick_) {
        event->accept();
        return;
    }
    QLabel::mousePressEvent(event);
}

void tTextLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && onClick_) {
        onClick_();
        return;
    }
    QLabel::mouseReleaseEvent(event);
}
