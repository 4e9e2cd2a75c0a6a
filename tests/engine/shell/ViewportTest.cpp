#include <gtest/gtest.h>

#include "engine/shell/Viewport.h"

namespace {

struct FitCase {
    Game::Size design, window, expected;
};

void PrintTo(const FitCase& c, std::ostream* os) { *os << c.window.width << "x" << c.window.height; }

class FitViewport : public ::testing::TestWithParam<FitCase> {};

TEST_P(FitViewport, KeepsTheDesignAspectInsideTheWindow) {
    const auto& c = GetParam();
    const Game::Size view = Game::fitViewport(c.design, c.window);
    EXPECT_EQ(view.width, c.expected.width);
    EXPECT_EQ(view.height, c.expected.height);
}

INSTANTIATE_TEST_SUITE_P(Table, FitViewport,
                         ::testing::Values(FitCase{{640, 480}, {640, 480}, {640, 480}},
                                           FitCase{{640, 480}, {1280, 960}, {1280, 960}},
                                           FitCase{{640, 480}, {1280, 480}, {640, 480}},
                                           FitCase{{640, 480}, {640, 960}, {640, 480}},
                                           FitCase{{640, 480}, {1000, 480}, {640, 480}},
                                           FitCase{{640, 480}, {800, 601}, {800, 601}},  // within 1 %
                                           FitCase{{640, 480}, {1920, 1080}, {1440, 1080}},
                                           FitCase{{1280, 720}, {1280, 1024}, {1280, 720}}));

struct SkipCase {
    float msPerFrame;
    int skipped, limit;
    float dt;
    bool skip;
};

void PrintTo(const SkipCase& c, std::ostream* os) { *os << "skipped " << c.skipped << " dt " << c.dt; }

class FrameSkip : public ::testing::TestWithParam<SkipCase> {};

TEST_P(FrameSkip, SkipsOnlySlowPassesUpToTheLimit) {
    const auto& c = GetParam();
    EXPECT_EQ(Game::shouldSkipFrame(c.msPerFrame, c.skipped, c.limit, c.dt), c.skip);
}

INSTANTIATE_TEST_SUITE_P(Table, FrameSkip,
                         ::testing::Values(SkipCase{1000.0f / 60, 0, 2, 40, true}, SkipCase{1000.0f / 60, 1, 2, 40, true},
                                           SkipCase{1000.0f / 60, 2, 2, 40, false},
                                           SkipCase{1000.0f / 60, 0, 2, 10, false},
                                           SkipCase{1000.0f / 60, 0, 0, 40, false},
                                           SkipCase{0.0f, 0, 2, 40, false}));

}  // namespace
