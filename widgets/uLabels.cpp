// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/uLabels.h"

#include "platform/uBitmap.h"
#include "platform/uCodePage.h"
#include "widgets/uFramePacer.h"
#include "widgets/uGlyphText.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>

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
    // The counters set their bytes many times a second, mostly the same again: those are not decoded anew.
    if (shown_ && fromBytes_ && text == bytes_) {
        return;
    }
    bytes_ = text;
    SetShown(FromCodePage(text));
    fromBytes_ = true;
}

void tTextLabel::SetText(const QString& text) {
    fromBytes_ = false;
    SetShown(text);
}

void tTextLabel::SetShown(const QString& text) {
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
    QString shown = text_;
    shown.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
    setText(shown);
}

void tTextLabel::SetColor(uint32_t colorBGR) {
    QPalette colors = palette();
    colors.setColor(QPalette::WindowText, QColor::fromRgb(ColorToRgb(colorBGR)));
    setPalette(colors);
}

// The counters change many times a second: their text goes straight to the style, as the label itself would
// draw it (no frame, margin or indent, plain text, no buddy), without the label's per-paint style option.
void tTextLabel::paintEvent(QPaintEvent* event) {
    if (frameWidth() != 0 || margin() != 0 || indent() > 0) {
        QLabel::paintEvent(event);
        return;
    }
    const QString& shown = text();
    const Qt::LayoutDirection direction = shown.isRightToLeft() ? Qt::RightToLeft : Qt::LeftToRight;
    QPainter painter(this);
    if (alignment() == Qt::AlignCenter && direction == Qt::LeftToRight && isEnabled()) {
        if (tGlyphText* glyphs = tGlyphText::For(painter)) {
            painter.setPen(QPen(palette().brush(foregroundRole()), painter.pen().widthF()));
            if (glyphs->DrawCentred(painter, contentsRect(), shown)) {
                return;
            }
        }
    }
    int flags = static_cast<int>(QStyle::visualAlignment(direction, alignment()));
    flags |= direction == Qt::LeftToRight ? Qt::TextForceLeftToRight : Qt::TextForceRightToLeft;
    if (wordWrap()) {
        flags |= Qt::TextWordWrap;
    }
    style()->drawItemText(&painter, contentsRect(), flags, palette(), isEnabled(), shown, foregroundRole());
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
