#include <gtest/gtest.h>

#include "game/config/ConfigReaders.h"
#include "game/world/LevelCheck.h"
#include "tests/game/world/WorldHarness.h"

namespace {

// Every shipped level builds and runs for a few seconds.
TEST(ShippedLevels, EachBuildsAndRunsHeadless) {
    WorldTest::WorldHarness harness;
    const int count = Zelmo::levelCount();
    ASSERT_GE(count, 9);
    EXPECT_EQ(Zelmo::levelDataError(), "");
    EXPECT_EQ(Zelmo::seedDataError(), "");
    for (int level = 0; level < count; ++level) {
        harness.startLevel(level);
        EXPECT_EQ(harness.logic().level(), level);
        EXPECT_EQ(harness.step(3000 / 16), "") << "level " << level;
    }
}

}  // namespace
