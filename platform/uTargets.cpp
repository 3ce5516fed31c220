// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/uTargets.h"

tSubscription tTargetList::Add(tTarget target) {
    const int id = ++state_->next;
    state_->targets.emplace(id, std::move(target));
    return tSubscription([weak = std::weak_ptr<tState>(state_), id] {
        if (const auto state = weak.lock()) {
            state->targets.erase(id);
        }
    });
}

void tTargetList::Run() const {
    const std::shared_ptr<tState> state = state_;
    // In the order they were added, up to the last one there is now: a target added by another waits for
    // the next run, one cancelled by another is not run. Found afresh each time, as a target may change the
    // list, and without a list of its own, as views are told many times a second.
    const int newest = state->next;
    int last = 0;
    for (auto it = state->targets.upper_bound(last); it != state->targets.end() && it->first <= newest;
         it = state->targets.upper_bound(last)) {
        last = it->first;
        // A copy, so a target that cancels itself does not destroy the function it is running in.
        const tTarget target = it->second;
        target();
    }
}
