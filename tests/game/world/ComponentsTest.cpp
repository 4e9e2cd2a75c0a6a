#include <gtest/gtest.h>

#include "game/world/DisplayComps.h"
#include "game/world/PlayerComps.h"
#include "game/world/ProfileTimer.h"

namespace {

TEST(Footsteps, ARevisitedCellIsOverwrittenAndNewCellsRingOverTheOldest) {
    Zelmo::FootstepsComp footsteps(3);
    footsteps.record({1, 1, 4, 10.0f});
    footsteps.record({2, 1, 2, 20.0f});
    footsteps.record({1, 1, 8, 30.0f});
    EXPECT_EQ(footsteps.next, 2);
    ASSERT_NE(footsteps.find(1, 1), nullptr);
    EXPECT_EQ(footsteps.find(1, 1)->direction, 8);
    footsteps.record({3, 1, 1, 40.0f});
    footsteps.record({4, 1, 1, 50.0f});
    EXPECT_EQ(footsteps.find(1, 1), nullptr) << "the oldest slot went";
    EXPECT_NE(footsteps.find(4, 1), nullptr);
}

TEST(PolyComps, ACopyOwnsItsPoints) {
    Zelmo::PolyComp source;
    source.pointLists = {{1.0f, 2.0f}};
    Zelmo::PolyComp copy = source;
    copy.pointLists[0][0] = 9.0f;
    EXPECT_EQ(source.pointLists[0][0], 1.0f);
}

TEST(ProfileTimers, KeepOnlyABoundedWindowOfAverages) {
    Zelmo::ProfileTimer timer;
    for (size_t i = 0; i < Zelmo::ProfileTimer::kAverageWindow + 10; ++i) {
        timer.start();
        timer.stop();
    }
    EXPECT_EQ(timer.averages().size(), Zelmo::ProfileTimer::kAverageWindow);
}

}  // namespace
