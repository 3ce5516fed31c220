// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/uOpenedReplay.h"

#include "engine/uGame.h"
#include "engine/uReasonText.h"
#include "look/uLang.h"
#include "platform/uMessage.h"
#include "storage/uReplayFile.h"

#include <QString>

tOpenedReplay::tOpenedReplay(std::function<tGlass*()> shownWell) : shownWell_(std::move(shownWell)) {}

void tOpenedReplay::Open(const std::string& path) {
    tReplayFile file = ReadReplayFile(path);
    if (!file.Record) {
        ShowMessageBox(LangFormat("s0102", {QString::fromLocal8Bit(path), ReplayReason(file)}));
        return;
    }
    record_ = std::move(file.Record);
    Play();
}

void tOpenedReplay::Play() {
    tGlass* well = shownWell_();
    if (!record_ || well == nullptr)
        return;
    well->Watch(*record_);
    record_.reset();
}
