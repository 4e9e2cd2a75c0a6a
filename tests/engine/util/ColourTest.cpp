#include <gtest/gtest.h>

#include "engine/util/Colour.h"

namespace {

// Each byte moves its share of the way towards the target's, truncated toward zero, so that a
// fade never overshoots.
TEST(LerpColour, MovesEachByteTowardsItsTarget) {
    const struct {
        uint32_t from, to;
        float share;
        uint32_t expected;
    } l_cases[] = {
        {0x00FF1080, 0xFF00F080, 0.5f, 0x7F7F8080}, {0x12345678, 0x87654321, 1.0f, 0x87654321},
        {0x12345678, 0x87654321, 0.0f, 0x12345678}, {0x00000000, 0x00000003, 0.5f, 0x00000001},
        {0x00000003, 0x00000000, 0.5f, 0x00000001},
    };
    for (const auto& l_case : l_cases) {
        uint32_t l_colour = l_case.from;
        Util::lerpColour(l_colour, l_case.to, l_case.share);
        EXPECT_EQ(l_colour, l_case.expected)
            << std::hex << l_case.from << " to " << l_case.to << " by " << l_case.share;
    }
}

}  // namespace
