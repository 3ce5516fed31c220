// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/uTargets.h"

#include <vector>

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
    std::vector<int> ids;
    ids.reserve(state->targets.size());
    for (const auto& entry : state->targets) {
        ids.push_back(entry.first);
    }
    for (const int id : ids) {
        const auto it = state->targets.find(id);
        if (it != state->targets.end()) {
            // A copy, so a target that cancels itself does not destroy the function it is running in.
            const tTarget target = it->second;
            target();
        }
    }
}
