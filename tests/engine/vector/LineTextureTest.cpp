#include <gtest/gtest.h>

#include "engine/vector/LineTexture.h"

namespace {

int alphaAt(const std::vector<uint8_t>& texels, int x, int y) { return texels[(size_t(y) * 64 + x) * 4 + 3]; }

}  // namespace

TEST(LineTexture, WhiteWithAlphaFallingFromTheCentre) {
    std::vector<uint8_t> texels = Vector::lineTextureTexels(64);
    ASSERT_EQ(texels.size(), 64u * 64 * 4);
    EXPECT_EQ(alphaAt(texels, 32, 32), 255);
    EXPECT_EQ(alphaAt(texels, 48, 32), 15);  // 255 / 16 half way out, truncated
    EXPECT_EQ(alphaAt(texels, 32, 16), 15);
    EXPECT_EQ(alphaAt(texels, 0, 32), 0);  // 255 / 256 at the rim
    EXPECT_EQ(alphaAt(texels, 0, 0), 0);   // and beyond it
    for (size_t i = 0; i < texels.size(); i += 4) {
        ASSERT_EQ(texels[i], 255);
        ASSERT_EQ(texels[i + 1], 255);
        ASSERT_EQ(texels[i + 2], 255);
    }
}

// The stroke baked from that profile: alpha exp(-r^2 / 0.45^2) with r in half widths, red how far
// the colour runs to white (0.6 in the middle of the core, nothing once the stroke is below 0.6).
TEST(LineTexture, StrokeIsBakedFromTheProfile) {
    std::vector<uint8_t> texels = Vector::strokeTextureTexels(64);
    ASSERT_EQ(texels.size(), 64u * 64 * 4);
    auto at = [&](int x, int y, int channel) { return int(texels[(size_t(y) * 64 + x) * 4 + channel]); };
    EXPECT_EQ(at(32, 32, 3), 255);
    EXPECT_EQ(at(32, 32, 2), 153);
    // Half way out the profile is 15 / 255, so r = 0.511 and the stroke 0.276: no longer hot.
    EXPECT_EQ(at(48, 32, 3), 70);
    EXPECT_EQ(at(48, 32, 2), 0);
    EXPECT_EQ(at(32, 16, 3), 70);
    EXPECT_EQ(at(0, 32, 3), 2);  // exp(-1 / 0.2025) at the rim and beyond
    EXPECT_EQ(at(0, 0, 3), 2);
    for (size_t i = 0; i < texels.size(); i += 4) {
        ASSERT_EQ(texels[i], 0);
        ASSERT_EQ(texels[i + 1], 0);
    }
}
