// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/uTargets.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <vector>

TEST(TargetList, AListenerIsToldWhileItsSubscriptionLivesWhicheverSideGoesFirst) {
    std::vector<int> told;
    auto list = std::make_unique<tTargetList>();
    std::optional<tSubscription> second;
    tSubscription first = list->Add([&] {
        told.push_back(1);
        second.reset();
    });
    second.emplace(list->Add([&] { told.push_back(2); }));
    {
        const tSubscription gone = list->Add([&] { told.push_back(3); });
    }
    list->Run();
    EXPECT_EQ(told, std::vector<int>{1});
    EXPECT_EQ(list->Count(), 1);
    // A copy starts without the original's listeners.
    const tTargetList copy = *list;
    EXPECT_EQ(copy.Count(), 0);
    list.reset();
    first.Cancel();
}
