// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/uGame.h"
#include "tests/shell/FormFixture.h"
#include "tests/support/AllocationCount.h"
#include "tests/support/ScopedClock.h"

#include <chrono>
#include <thread>

namespace {

class Frames : public FormFixture {
protected:
    tScopedClock clock_{QDateTime(QDate(2024, 6, 1), QTime(12, 0)), true};
};

} // namespace

// The game's own work for a frame in its steady state (ticks and keys, figures falling, moved, landing, the
// next one coming, the counters, the table's live row, the pictures and texts handed to the views) takes no
// memory from the heap: at the fastest speeds this runs a thousand times a second. The window is hidden while
// counting, as Qt's repaint of the widgets allocates on its own (region copies, a painter for each widget).
TEST_F(Frames, SteadyFramesOfAGameAllocateNothing) {
    if (!tAllocationCount::Counting()) {
        GTEST_SKIP() << "AddressSanitizer replaces the allocator; nothing is counted";
    }
    Start();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    LogIn("Ivan");
    tGlass& glass = *form->Glass();
    QTest::keyClick(form->KeyTarget(), Qt::Key_F2);
    ASSERT_TRUE(glass.Playing());
    // Figures go to the sides in turn, so that the well does not fill up in the middle.
    int step = 0;
    const auto frame = [&] {
        if (++step % 4 == 0) {
            // As a player presses: no sooner after the last than a key repeats.
            std::this_thread::sleep_for(std::chrono::milliseconds(kFastestRepeatMs));
            QTest::keyClick(form->KeyTarget(),
                            glass.Model().Counters().Figures % 2 == 0 ? Qt::Key_Left : Qt::Key_Right);
        }
        glass.Tick();
        glass.View().RepaintWell();
    };
    // Every cache a frame uses fills during the first figures.
    for (int i = 0; i < 60; ++i) {
        frame();
    }
    form->hide();
    // The recorder in place of the speakers keeps a list; the speakers keep none.
    sounds.reserve(sounds.size() + 1000);
    const int framesBefore = glass.Pacer().Frames();
    const int figuresBefore = glass.Model().Counters().Figures;
    const tAllocationCount count;
    for (int i = 0; i < 100; ++i) {
        frame();
    }
    const uint64_t allocations = count.Allocations();
    ASSERT_TRUE(glass.Playing());
    ASSERT_EQ(glass.Pacer().Frames() - framesBefore, 100);
    ASSERT_GE(glass.Model().Counters().Figures - figuresBefore, 3) << "the frames include figures landing";
    EXPECT_EQ(allocations, 0u) << "STAKKAR_TRACE_ALLOCATIONS=1 prints where each was made";
}
