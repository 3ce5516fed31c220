// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/uReplayWatch.h"

#include "look/uLang.h"

#include <algorithm>
#include <limits>

namespace {

constexpr qint64 kMillisecond = 1000000;
// The shortest time between two wake-ups, as the game's timer keeps it: the steps due meanwhile run together.
constexpr qint64 kBatch = 4 * kMillisecond;
// The keys that change the speed: + and - of the keypad and of the main block.
constexpr uint16_t kVkAdd = 107;
constexpr uint16_t kVkSubtract = 109;
constexpr uint16_t kVkOemPlus = 187;
constexpr uint16_t kVkOemMinus = 189;

} // namespace

tReplayWatch::tReplayWatch(std::function<void()> onDue) : wake_(std::move(onDue)) {}

tChanges tReplayWatch::Begin(tGameModel& game, const tGameRecord& record) {
    End();
    record_ = record;
    cursor_ = std::make_unique<tReplayCursor>(game, record_);
    speed_ = 1;
    paused_ = false;
    reached_ = 0;
    clock_.Start();
    const tChanges started = cursor_->Start();
    WaitForNext();
    return started;
}

tChanges tReplayWatch::Advance() {
    if (!cursor_ || paused_) {
        return {};
    }
    const tChanges changes = cursor_->AdvanceTo(Now());
    WaitForNext();
    return changes;
}

void tReplayWatch::End() {
    wake_.Stop();
    cursor_.reset();
    speed_ = 1;
}

void tReplayWatch::SetPaused(bool paused) {
    if (!cursor_) {
        return;
    }
    paused_ = paused;
    clock_.SetPaused(paused);
    if (paused) {
        wake_.Stop();
    } else {
        WaitForNext();
    }
}

void tReplayWatch::SetSpeed(int speed) {
    reached_ = Now();
    speed_ = std::clamp(speed, 1, kFastest);
    clock_.Start();
    clock_.SetPaused(paused_);
    if (cursor_ && !paused_) {
        WaitForNext();
    }
}

void tReplayWatch::WaitForNext() {
    const int64_t next = cursor_->NextTime();
    if (cursor_->Done() || paused_) {
        wake_.Stop();
        return;
    }
    if (next == std::numeric_limits<int64_t>::max()) {
        // Nothing more falls due: the end shows at the next turn of the event loop.
        wake_.StartIn(0);
        return;
    }
    const qint64 wait = (next - Now()) * kMillisecond / speed_;
    wake_.StartIn(std::max(wait, kBatch));
}

QString tReplayWatch::Caption() const {
    return LangText("s1205") + " x" + QString::number(speed_);
}

void tReplayWatch::HandleKey(uint16_t code) {
    if (code == kVkAdd || code == kVkOemPlus) {
        Faster();
    } else if (code == kVkSubtract || code == kVkOemMinus) {
        Slower();
    }
}
