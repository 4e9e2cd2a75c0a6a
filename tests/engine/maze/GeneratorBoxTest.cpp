#include <gtest/gtest.h>

#include "MazeTestSupport.h"
#include "engine/maze/Generator.h"

namespace {

// The generator keeps a slot for every cell of the box; a box too large for that is refused
// before anything is allocated for it.
TEST(GeneratorBoxDeathTest, ABoxOfTooManyCellsIsRefused) {
    MazeTest::GridOptions l_options;
    l_options.width = 1 << 15;
    l_options.height = 1 << 14;
    const Maze::MazeData l_template = MazeTest::gridTemplate(l_options);
    EXPECT_EXIT(MazeTest::generate(l_template, 1), ::testing::ExitedWithCode(1),
                "Maze box holds more than 268435456 cells");
}

}  // namespace
