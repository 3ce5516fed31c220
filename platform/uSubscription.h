// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A listener's hold on what it listens to: while it lives the listener is told, and it stops being told the
// moment it goes, so no listener ever removes itself by hand. Either side may go first.

#include <functional>
#include <utility>

class tSubscription {
public:
    tSubscription() = default;
    explicit tSubscription(std::function<void()> cancel) : cancel_(std::move(cancel)) {}
    tSubscription(tSubscription&& other) noexcept : cancel_(std::exchange(other.cancel_, nullptr)) {}
    tSubscription& operator=(tSubscription&& other) noexcept {
        if (this != &other) {
            Cancel();
            cancel_ = std::exchange(other.cancel_, nullptr);
        }
        return *this;
    }
    tSubscription(const tSubscription&) = delete;
    tSubscription& operator=(const tSubscription&) = delete;
    ~tSubscription() { Cancel(); }

    void Cancel() {
        if (cancel_) {
            std::exchange(cancel_, nullptr)();
        }
    }

private:
    std::function<void()> cancel_;
};
