// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every game started while it lives starts at the same local time, so that it plays the same figures again;
// or, stepping, each game a second after the one before.

#include "platform/uLocalClock.h"

class tScopedClock {
public:
    explicit tScopedClock(const QDateTime& start, bool stepping = false)
        : previous_(SetLocalClock([now = start, stepping]() mutable {
              const QDateTime time = now;
              if (stepping) {
                  now = now.addSecs(1);
              }
              return time;
          })) {}
    ~tScopedClock() { SetLocalClock(std::move(previous_)); }
    tScopedClock(const tScopedClock&) = delete;
    tScopedClock& operator=(const tScopedClock&) = delete;

private:
    tLocalClock previous_;
};
