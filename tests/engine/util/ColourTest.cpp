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
    } cases[] = {
        {0x00FF1080, 0xFF00F080, 0.5f, 0x7F7F8080}, {0x12345678, 0x87654321, 1.0f, 0x87654321},
        {0x12345678, 0x87654321, 0.0f, 0x12345678}, {0x00000000, 0x00000003, 0.5f, 0x00000001},
        {0x00000003, 0x00000000, 0.5f, 0x00000001},
    };
    for (const auto& testCase : cases) {
        uint32_t colour = testCase.from;
        Util::lerpColour(colour, testCase.to, testCase.share);
        EXPECT_EQ(colour, testCase.expected)
            << std::hex << testCase.from << " to " << testCase.to << " by " << testCase.share;
    }
}

}  // namespace
