#include "look/uTargets.h"

#include <vector>

int tTargetList::Add(tTarget target) {
    targets_.emplace(++next_, std::move(target));
    return next_;
}

void tTargetList::Remove(int id) {
    targets_.erase(id);
}

void tTargetList::Run() const {
    std::vector<int> ids;
    ids.reserve(targets_.size());
    for (const auto& entry : targets_) {
        ids.push_back(entry.first);
    }
    for (const int id : ids) {
        const auto it = targets_.find(id);
        if (it != targets_.end()) {
            // A copy, so a target that removes itself does not destroy the function it is running in.
            const tTarget target = it->second;
            target();
        }
    }
}
