// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one way a model tells its views: each view subscribes a callback, and the model runs them all after a
// change, without knowing what the views are.

#include "platform/uSubscription.h"

#include <functional>
#include <map>
#include <memory>

class tTargetList {
public:
    using tTarget = std::function<void()>;

    tTargetList() = default;
    // A copy starts with no targets: its listeners subscribed to the original.
    tTargetList(const tTargetList&) : tTargetList() {}
    tTargetList& operator=(const tTargetList&) { return *this; }
    ~tTargetList() = default;

    // The target is run until the subscription goes.
    [[nodiscard]] tSubscription Add(tTarget target);
    // Runs the targets in the order they were added. A target may add or cancel targets while it runs; one
    // cancelled before its turn is not run, one added during the run waits for the next run.
    void Run() const;
    int Count() const { return static_cast<int>(state_->targets.size()); }

private:
    struct tState {
        std::map<int, tTarget> targets;
        int next = 0;
    };
    // Shared with the subscriptions, so a list that goes before its listeners leaves them nothing to undo.
    std::shared_ptr<tState> state_ = std::make_shared<tState>();
};
