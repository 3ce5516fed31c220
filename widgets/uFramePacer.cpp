// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/uFramePacer.h"

#include <QCoreApplication>
#include <QEvent>
#include <QScreen>

#include <algorithm>
#include <utility>

namespace {

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

tFramePacer::tFramePacer() : timer_([this] { Frame(); }) {
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
    if (!timer_.IsActive() || timer_.Remaining() > wait) {
        timer_.StartIn(wait);
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
    if (timer_.IsActive()) {
        return;
    }
    const qint64 frame = Refill(*widget);
    // A nanosecond more, so that the frame is granted when the timer fires.
    const auto wait = static_cast<qint64>(std::max(0.0, 1.0 - inHand_) * static_cast<double>(frame));
    timer_.StartIn(wait > 0 ? wait + 1 : 0);
}

void tFramePacer::ShowNow() {
    timer_.Stop();
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
    // A show may ask for the next frame: it goes into the emptied list.
    showing_.swap(requests_);
    std::erase_if(windows_, [](const tWindow& known) { return known.window == nullptr; });
    for (const tRequest& request : showing_) {
        if (request.widget == nullptr) {
            continue;
        }
        request.show();
        QWidget* window = request.widget->window();
        const auto known = std::find_if(windows_.begin(), windows_.end(),
                                        [window](const tWindow& other) { return other.window == window; });
        if (known != windows_.end()) {
            known->due = true;
        } else {
            windows_.push_back({window, true});
        }
    }
    showing_.clear();
    // Painted now, in one go, before the next step of the game can change the pictures again. By index: a
    // paint may close a window.
    for (size_t i = 0; i < windows_.size(); ++i) {
        QWidget* window = windows_[i].window;
        if (!std::exchange(windows_[i].due, false) || window == nullptr || !window->isVisible()) {
            continue;
        }
        QEvent paint(QEvent::UpdateRequest);
        QCoreApplication::sendEvent(window, &paint);
    }
}
