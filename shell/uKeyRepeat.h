// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The game's own repeat of a held key of play, at the player's delay and rate: the desktop's repeat plays no
// part in a game. As on a keyboard, only the key pressed last repeats, from its press until it is let go.
// Each repeat comes a whole interval after the one before, however late its timer fired, so that repeats
// never come closer together than the rate allows.

#include "platform/uWakeUp.h"

#include <QElapsedTimer>

#include <cstdint>
#include <functional>

class tKeyRepeat {
public:
    // repeat(code) runs the held key again.
    explicit tKeyRepeat(std::function<void(uint16_t code)> repeat);

    void SetTiming(int delayMs, int ratePerSecond);
    // A key of play went down: it repeats from now on, in place of any key held before.
    void Hold(uint16_t code);
    // A key went up; only the held one's repeat ends.
    void Release(uint16_t code);
    // Every key counts as let go: the window lost the keyboard, or the view changed.
    void ReleaseAll();

private:
    void Fire();

    std::function<void(uint16_t)> repeat_;
    tWakeUp wakeUp_;
    QElapsedTimer clock_;
    uint16_t held_ = 0;
    qint64 delayNs_ = 0;
    qint64 intervalNs_ = 0;
    // The next repeat's time on clock_, in nanoseconds from the press.
    qint64 due_ = 0;
};
