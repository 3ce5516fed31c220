// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/uKeyRepeat.h"

#include "core/uRules.h"

#include <algorithm>

namespace {

constexpr qint64 kNanosecondsPerMs = 1000 * 1000;

} // namespace

tKeyRepeat::tKeyRepeat(std::function<void(uint16_t)> repeat)
    : repeat_(std::move(repeat)), wakeUp_([this] { Fire(); }) {
    SetTiming(kDefaultRepeatDelayMs, kDefaultRepeatRate);
}

void tKeyRepeat::SetTiming(int delayMs, int ratePerSecond) {
    delayNs_ = delayMs * kNanosecondsPerMs;
    intervalNs_ = 1000 * kNanosecondsPerMs / std::max(1, ratePerSecond);
}

void tKeyRepeat::Hold(uint16_t code) {
    held_ = code;
    clock_.start();
    due_ = delayNs_;
    wakeUp_.StartIn(due_);
}

void tKeyRepeat::Release(uint16_t code) {
    if (code == held_)
        ReleaseAll();
}

void tKeyRepeat::ReleaseAll() {
    held_ = 0;
    wakeUp_.Stop();
}

void tKeyRepeat::Fire() {
    if (held_ == 0)
        return;
    const qint64 now = clock_.nsecsElapsed();
    // The repeats keep to their times, so that a late one does not slow the rest down; yet one late never
    // brings the next closer than a press may follow another.
    due_ = std::max(due_ + intervalNs_, now + kFastestRepeatMs * kNanosecondsPerMs);
    wakeUp_.StartIn(due_ - now);
    repeat_(held_);
}
