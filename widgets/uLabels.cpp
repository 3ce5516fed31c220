#include "widgets/uLabels.h"

#include "platform/uBitmap.h"
#include "platform/uCodePage.h"
#include "widgets/uFramePacer.h"

#include <QMouseEvent>
#include <QPainter>

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
    if (pacer_ == nullptr) {
        ShowText();
        return;
    }
    pacer_->Request(this, [this] { ShowText(); });
}

void tTextLabel::ShowText() {
    QString shown = FromCodePage(text_);
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
