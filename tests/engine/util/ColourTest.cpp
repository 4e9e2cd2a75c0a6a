#include <gtest/gtest.h>

#include "engine/util/Colour.h"

namespace {

TEST(LerpColour, MovesEachByteTowardsItsTargetWithoutOvershoot) {
    uint32_t l_colour = 0x00FF1080;
    Util::lerpColour(l_colour, 0xFF00F080, 0.5f);
    EXPECT_EQ(l_colour, 0x7F7F8080u);
    uint32_t l_full = 0x12345678;
    Util::lerpColour(l_full, 0x87654321, 1.0f);
    EXPECT_EQ(l_full, 0x87654321u);
    uint32_t l_none = 0x12345678;
    Util::lerpColour(l_none, 0x87654321, 0.0f);
    EXPECT_EQ(l_none, 0x12345678u);
}

TEST(LerpColour, TruncatesTowardZero) {
    uint32_t l_up = 0x00000000;
    Util::lerpColour(l_up, 0x00000003, 0.5f);
    EXPECT_EQ(l_up, 0x00000001u);
    uint32_t l_down = 0x00000003;
    Util::lerpColour(l_down, 0x00000000, 0.5f);
    EXPECT_EQ(l_down, 0x00000001u);
}

}  // namespace
