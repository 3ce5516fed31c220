// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/uWakeUp.h"

#include <QAbstractEventDispatcher>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/timerfd.h>
#include <unistd.h>

namespace {

constexpr qint64 kSecond = 1000000000;

} // namespace

tWakeUp::tWakeUp(std::function<void()> onWake)
    : fd_(timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC)), onWake_(std::move(onWake)) {
    if (fd_ < 0) {
        // Only a process out of descriptors gets here; a game without its clock cannot run.
        std::fprintf(stderr, "stakkar: no timer: %s\n", std::strerror(errno));
        std::abort();
    }
    notifier_ = new QSocketNotifier(fd_, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &tWakeUp::Woken);
    if (QAbstractEventDispatcher* loop = QAbstractEventDispatcher::instance(thread())) {
        // Before the loop waits; and, for the loops that never wait (processEvents() run in passes), at the
        // start of the next pass.
        connect(loop, &QAbstractEventDispatcher::aboutToBlock, this, &tWakeUp::TurnEnded);
        connect(loop, &QAbstractEventDispatcher::awake, this, &tWakeUp::TurnEnded);
    }
}

tWakeUp::~tWakeUp() {
    delete notifier_;
    close(fd_);
}

void tWakeUp::StartIn(qint64 nanoseconds) {
    // Without an event loop yet, "now" is the descriptor's shortest wait: a zero time would disarm it.
    if (nanoseconds <= 0 && QAbstractEventDispatcher::instance(thread()) != nullptr) {
        Disarm();
        atTurnEnd_ = true;
        return;
    }
    atTurnEnd_ = false;
    const qint64 wait = std::max<qint64>(1, nanoseconds);
    itimerspec when{};
    when.it_value.tv_sec = static_cast<time_t>(wait / kSecond);
    when.it_value.tv_nsec = static_cast<long>(wait % kSecond);
    timerfd_settime(fd_, 0, &when, nullptr);
    armed_ = true;
}

void tWakeUp::Stop() {
    Disarm();
    atTurnEnd_ = false;
}

void tWakeUp::Disarm() {
    if (armed_) {
        const itimerspec never{};
        timerfd_settime(fd_, 0, &never, nullptr);
        armed_ = false;
    }
}

qint64 tWakeUp::Remaining() const {
    if (!armed_) {
        return 0;
    }
    itimerspec left{};
    timerfd_gettime(fd_, &left);
    return static_cast<qint64>(left.it_value.tv_sec) * kSecond + left.it_value.tv_nsec;
}

void tWakeUp::Woken() {
    uint64_t expirations = 0;
    // Nothing to read: the wake-up was stopped or moved after it fell due.
    if (read(fd_, &expirations, sizeof expirations) != static_cast<ssize_t>(sizeof expirations)) {
        return;
    }
    armed_ = false;
    onWake_();
}

void tWakeUp::TurnEnded() {
    if (!atTurnEnd_) {
        return;
    }
    atTurnEnd_ = false;
    onWake_();
}
