// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A recorded game played back in a model at the times it was played: at x1 it lasts as long as the game did,
// at x2, x4 and x8 a half, a quarter and an eighth of that. It wakes when its next step falls due and hands
// what changed to its owner.

#include "core/uReplayCursor.h"
#include "engine/uPlayClock.h"
#include "platform/uWakeUp.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

class tReplayWatch {
public:
    // onDue runs when steps of the watched game fall due; it calls Advance.
    explicit tReplayWatch(std::function<void()> onDue);

    // Starts the recorded game in the model, at x1.
    tChanges Begin(tGameModel& game, const tGameRecord& record);
    // Runs the steps due by now and waits for the next one.
    tChanges Advance();
    void End();
    bool Active() const { return cursor_ != nullptr; }
    // The record has no step left, or its game is over.
    bool Done() const { return cursor_ == nullptr || cursor_->Done(); }
    void SetPaused(bool paused);
    // 1, 2, 4 or 8: each step doubles or halves it.
    int Speed() const { return speed_; }
    void Faster() { SetSpeed(speed_ * 2); }
    void Slower() { SetSpeed(speed_ / 2); }
    // + (of the keypad or the main block) is Faster, - Slower; other keys do nothing.
    void HandleKey(uint16_t code);
    // What the player label shows meanwhile: "Replay x2".
    QString Caption() const;

    static constexpr int kFastest = 8;

private:
    void SetSpeed(int speed);
    // The time of the watched game reached by now.
    int64_t Now() const { return reached_ + clock_.Ms() * speed_; }
    void WaitForNext();

    // Kept here, as the cursor reads it while it plays.
    tGameRecord record_;
    std::unique_ptr<tReplayCursor> cursor_;
    // The time watched since the speed last changed, and the time of the game reached before.
    tPlayClock clock_;
    int64_t reached_ = 0;
    int speed_ = 1;
    bool paused_ = false;
    tWakeUp wake_;
};
