// The named shape ids, numbered as the game's messages and data use them.
#include <gtest/gtest.h>

#include "game/vector/AnimId.h"

TEST(AnimIdNames, NumberTheSixtyDrawingsInOrder) {
    EXPECT_STREQ(animIdName(AnimId::NONE), "NONE");
    EXPECT_STREQ(animIdName(AnimId::LIFT_NODE), "LIFT_NODE");
    EXPECT_EQ(uint32_t(AnimId::LIFT_NODE), 23u);
    EXPECT_EQ(uint32_t(AnimId::KROMB_CHAINED), 48u);
    EXPECT_STREQ(animIdName(59), "FACE");
    EXPECT_EQ(animIdName(60), nullptr);
}
