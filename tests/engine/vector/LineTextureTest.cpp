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
