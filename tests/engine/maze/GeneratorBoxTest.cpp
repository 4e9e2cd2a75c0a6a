#include <gtest/gtest.h>

#include "MazeTestSupport.h"
#include "engine/maze/Generator.h"

namespace {

// The generator keeps a slot for every cell of the box; a box too large for that is refused
// before anything is allocated for it.
TEST(GeneratorBoxDeathTest, ABoxOfTooManyCellsIsRefused) {
    MazeTest::GridOptions options;
    options.width = 1 << 15;
    options.height = 1 << 14;
    const Maze::MazeData pattern = MazeTest::gridTemplate(options);
    EXPECT_EXIT(MazeTest::generate(pattern, 1), ::testing::ExitedWithCode(1),
                "Maze box holds more than 268435456 cells");
}

}  // namespace
