// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/uFramePacer.h"

#include <QCoreApplication>
#include <QEvent>
#include <QScreen>

#include <algorithm>
#include <utility>

namespace {

constexpr qint64 kMillisecond = 1000000;
// Screens that tell no refresh rate, or an absurd one, are taken to refresh 60 times a second.
constexpr double kUsualRefresh = 60.0;
// The frame being asked for and one in hand.
constexpr double kMostInHand = 2.0;

qint64 FrameNanoseconds(const QWidget& widget) {
    const QScreen* screen = widget.screen();
    const double rate = screen != nullptr ? screen->refreshRate() : 0.0;
    return static_cast<qint64>(1e9 / (rate >= 1.0 && rate <= 1000.0 ? rate : kUsualRefresh));
}

} // namespace

tFramePacer::tFramePacer() {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &tFramePacer::Frame);
    clock_.start();
    inHand_ = kMostInHand;
}

qint64 tFramePacer::Refill(const QWidget& widget) {
    frame_ = FrameNanoseconds(widget);
    const qint64 now = clock_.nsecsElapsed();
    inHand_ =
        std::min(kMostInHand, inHand_ + static_cast<double>(now - refilled_) / static_cast<double>(frame_));
    refilled_ = now;
    return frame_;
}

void tFramePacer::Hurry() {
    if (requests_.empty() || requests_.front().widget == nullptr) {
        return;
    }
    const qint64 frame = Refill(*requests_.front().widget);
    const auto wait = static_cast<qint64>(std::max(0.0, -inHand_) * static_cast<double>(frame));
    const int milliseconds = static_cast<int>((wait + kMillisecond - 1) / kMillisecond);
    if (!timer_.isActive() || timer_.remainingTime() > milliseconds) {
        timer_.start(milliseconds);
    }
}

void tFramePacer::Request(QWidget* widget, std::function<void()> show) {
    const auto asked = std::find_if(requests_.begin(), requests_.end(),
                                    [widget](const tRequest& request) { return request.widget == widget; });
    if (asked != requests_.end()) {
        asked->show = std::move(show);
    } else {
        requests_.push_back({widget, std::move(show)});
    }
    if (timer_.isActive()) {
        return;
    }
    const qint64 frame = Refill(*widget);
    // Rounded up, so that the frame is granted when the timer fires.
    const auto wait = static_cast<qint64>(std::max(0.0, 1.0 - inHand_) * static_cast<double>(frame));
    timer_.start(static_cast<int>((wait + kMillisecond - 1) / kMillisecond));
}

void tFramePacer::ShowNow() {
    timer_.stop();
    Frame();
}

void tFramePacer::Frame() {
    if (requests_.empty()) {
        return;
    }
    if (requests_.front().widget != nullptr) {
        Refill(*requests_.front().widget);
    }
    // A frame shown early (a timer a little ahead, a frame asked for now) is repaid from the next grants.
    inHand_ -= 1.0;
    ++frames_;
    const std::vector<tRequest> requests = std::exchange(requests_, {});
    std::vector<QPointer<QWidget>> windows;
    for (const tRequest& request : requests) {
        if (request.widget == nullptr) {
            continue;
        }
        request.show();
        QPointer<QWidget> window = request.widget->window();
        if (std::find(windows.begin(), windows.end(), window) == windows.end()) {
            windows.push_back(window);
        }
    }
    // Painted now, in one go, before the next step of the game can change the pictures again.
    for (const QPointer<QWidget>& window : windows) {
        if (window != nullptr && window->isVisible()) {
            QEvent paint(QEvent::UpdateRequest);
            QCoreApplication::sendEvent(window, &paint);
        }
    }
}
