#include <gtest/gtest.h>

#include "engine/shell/VideoModes.h"

namespace {

const std::vector<Game::VideoMode> kModes{{640, 480}, {1024, 768}, {1280, 1024}};

TEST(VideoModes, DesktopModeIsNeededForNoSizeOrASizeBeyondEveryMode) {
    EXPECT_TRUE(Game::needsDesktopMode(0, 0, kModes, false));
    EXPECT_FALSE(Game::needsDesktopMode(1024, 768, kModes, false));
    EXPECT_FALSE(Game::needsDesktopMode(800, 600, kModes, false));
    EXPECT_TRUE(Game::needsDesktopMode(2000, 600, kModes, false));
    EXPECT_TRUE(Game::needsDesktopMode(800, 1100, kModes, false));
    EXPECT_TRUE(Game::needsDesktopMode(800, 600, kModes, true));
    EXPECT_FALSE(Game::needsDesktopMode(1280, 1024, kModes, true));
    EXPECT_TRUE(Game::needsDesktopMode(800, 600, {}, false));
}

TEST(VideoModes, DistinctModesAreSortedByWidthThenHeight) {
    EXPECT_EQ(Game::distinctModes({{1024, 768}, {640, 480}, {1024, 600}, {640, 480}}),
              (std::vector<Game::VideoMode>{{640, 480}, {1024, 600}, {1024, 768}}));
}

}  // namespace
