// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/uFullScreen.h"

#include <QEvent>
#include <QFrame>
#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QScreen>
#include <QWidget>

#include <algorithm>

tFullScreen::tFullScreen(QWidget& window, QWidget& client, QSize clientSize)
    : window_(window), client_(client), clientSize_(clientSize) {
    window_.setMinimumSize(clientSize_);
    window_.resize(clientSize_);
    Centre();
    window_.installEventFilter(this);
}

void tFullScreen::Set(bool on) {
    if (on == on_)
        return;
    on_ = on;
    const bool shown = window_.isVisible();
    if (on) {
        window_.setMinimumSize(0, 0);
        window_.setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
        if (shown)
            window_.showFullScreen();
    } else {
        window_.setWindowFlags(kWindowedFrame);
        window_.setWindowState(window_.windowState() & ~(Qt::WindowFullScreen | Qt::WindowMaximized));
        window_.setMinimumSize(clientSize_);
        window_.resize(clientSize_);
        Centre();
        if (shown)
            window_.showNormal();
    }
    Fit();
}

void tFullScreen::Scale() {
    scene_ = new QGraphicsScene(&window_);
    client_.setParent(nullptr);
    proxy_ = scene_->addWidget(&client_);
    view_ = new QGraphicsView(scene_, &window_);
    view_->setFrameShape(QFrame::NoFrame);
    view_->setBackgroundBrush(Qt::black);
    view_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view_->show();
    view_->setFocus();
}

void tFullScreen::Unscale() {
    proxy_->setWidget(nullptr);
    client_.setParent(&window_);
    client_.move(0, 0);
    client_.show();
    // A click through the view can end full screen (the FullScreen box, Change player): the view is still
    // delivering that click and must outlive it.
    view_->hide();
    view_->deleteLater();
    scene_->deleteLater();
    view_ = nullptr;
    scene_ = nullptr;
    proxy_ = nullptr;
}

void tFullScreen::Centre() {
    if (const QScreen* display = window_.screen())
        window_.move(display->availableGeometry().center() - window_.rect().center());
}

bool tFullScreen::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &window_ && event->type() == QEvent::Resize)
        Fit();
    return QObject::eventFilter(watched, event);
}

void tFullScreen::Fit() {
    const bool scaled = on_ || window_.size() != clientSize_;
    if (scaled && view_ == nullptr)
        Scale();
    else if (!scaled && view_ != nullptr)
        Unscale();
    if (view_ == nullptr)
        return;
    view_->setGeometry(window_.rect());
    // fitInView would leave a margin; the client is to touch two edges of the window.
    const qreal scale = std::min(qreal(window_.width()) / clientSize_.width(),
                                 qreal(window_.height()) / clientSize_.height());
    view_->setTransform(QTransform::fromScale(scale, scale));
    view_->centerOn(proxy_);
}
