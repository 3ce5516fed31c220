// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A replay file named on the command line: read at once, and played back in the well as soon as one shows,
// after the log-in when nobody is logged in yet. A file that is no replay is told and left as it is.

#include "core/uGameRecord.h"

#include <functional>
#include <optional>
#include <string>

class tGlass;

class tOpenedReplay {
public:
    // shownWell(): the well on screen now; null while none shows.
    explicit tOpenedReplay(std::function<tGlass*()> shownWell);

    void Open(const std::string& path);
    // The well shows: it plays the replay held, once.
    void Play();

private:
    std::function<tGlass*()> shownWell_;
    std::optional<tGameRecord> record_;
};
