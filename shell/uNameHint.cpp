// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/uNameHint.h"

#include <QPainter>
#include <QStyleOption>
#include <QToolTip>

#include <algorithm>

namespace {

// As wide as the column right of the picture, which the box stands in; as long as a desktop shows a hint.
constexpr int kHintWidth = 215;
constexpr int kPageMargin = 5;
constexpr int kShownMs = 10000;

} // namespace

tNameHint::tNameHint(QWidget* box) : QLabel(box->parentWidget()), box_(box) {
    setObjectName("lNameHint");
    setWordWrap(true);
    setTextFormat(Qt::PlainText);
    setMargin(3);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
    hide_.setSingleShot(true);
    hide_.setInterval(kShownMs);
    connect(&hide_, &QTimer::timeout, this, &QWidget::hide);
}

void tNameHint::ShowText(const QString& text) {
    // The skin's hint colours and font are those of the desktop's hints, set on QToolTip.
    setPalette(QToolTip::palette());
    setFont(QToolTip::font());
    setText(text);
    const QWidget& page = *parentWidget();
    const int width = std::min(kHintWidth, page.width() - 2 * kPageMargin);
    const int height = heightForWidth(width);
    const QRect box = box_->geometry();
    const int left = std::clamp(box.left(), kPageMargin, page.width() - kPageMargin - width);
    const int top = std::clamp(box.bottom() + 3, kPageMargin, page.height() - kPageMargin - height);
    setGeometry(left, top, width, height);
    raise();
    show();
    hide_.start();
}

void tNameHint::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    QStyleOption option;
    option.initFrom(this);
    style()->drawPrimitive(QStyle::PE_PanelTipLabel, &option, &painter, this);
    painter.end();
    QLabel::paintEvent(event);
}
