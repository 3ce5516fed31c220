// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/uLabels.h"

#include "platform/uBitmap.h"
#include "platform/uCodePage.h"
#include "widgets/uFramePacer.h"
#include "widgets/uGlyphText.h"

#include <QAccessible>
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
    AssignFromCodePage(text_, bytes_);
    fromBytes_ = true;
    Show();
}

void tTextLabel::SetText(const QString& text) {
    fromBytes_ = false;
    if (shown_ && text == text_) {
        return;
    }
    text_ = text;
    Show();
}

void tTextLabel::Show() {
    shown_ = true;
    if (pacer_ == nullptr) {
        ShowText();
        return;
    }
    pacer_->Request(this, [this] { ShowText(); });
}

void tTextLabel::ShowText() {
    QString& shown = buffers_[next_];
    next_ ^= 1;
    // A line feed followed by a carriage return is one line break.
    shown.resize(text_.size());
    QChar* out = shown.data();
    qsizetype length = 0;
    for (qsizetype i = 0; i < text_.size(); ++i) {
        if (i == 0 || text_[i] != QLatin1Char('\r') || text_[i - 1] != QLatin1Char('\n')) {
            out[length++] = text_[i];
        }
    }
    shown.truncate(length);
    // Screen readers read the label's own text, and each change of it builds an accessibility event on the
    // heap: the label is told only while one listens, or when it does not paint itself.
    if (QAccessible::isActive() || !PaintsPlainly()) {
        setText(shown);
    } else {
        update();
    }
}

bool tTextLabel::PaintsPlainly() const {
    return frameWidth() == 0 && margin() == 0 && indent() <= 0;
}

void tTextLabel::SetColor(uint32_t colorBGR) {
    QPalette colors = palette();
    colors.setColor(QPalette::WindowText, QColor::fromRgb(ColorToRgb(colorBGR)));
    setPalette(colors);
}

// The counters change many times a second: their text goes straight to the style, as the label itself would
// draw it (no frame, margin or indent, plain text, no buddy), without the label's per-paint style option.
void tTextLabel::paintEvent(QPaintEvent* event) {
    if (!PaintsPlainly()) {
        QLabel::paintEvent(event);
        return;
    }
    const QString& shown = Shown();
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
