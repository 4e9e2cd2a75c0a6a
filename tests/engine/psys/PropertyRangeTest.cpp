#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "engine/psys/PropertyRange.h"

namespace {

struct PingPongCase {
    float t;
    float period;
    float expected;
};

class PingPong : public testing::TestWithParam<PingPongCase> {};

TEST_P(PingPong, FoldsTimeBackAndForth) {
    EXPECT_FLOAT_EQ(PSys::pingPong(GetParam().t, GetParam().period), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, PingPong,
                         testing::Values(PingPongCase{0, 500, 0}, PingPongCase{250, 500, 250},
                                         PingPongCase{500, 500, 500}, PingPongCase{750, 500, 250},
                                         PingPongCase{1000, 500, 0}, PingPongCase{1250, 500, 250},
                                         PingPongCase{3600000 + 30, 60, 30}));

TEST(PropertyRange, DefaultIsZero) {
    const PSys::PropertyRange range;
    EXPECT_EQ(range.min, 0.0f);
    EXPECT_EQ(range.max, 0.0f);
    EXPECT_EQ(range.period, 1.0f);
    EXPECT_EQ(range.valueAt(12345.0f), 0.0f);
}

TEST(PropertyRange, SweepsUpAndBackDown) {
    const PSys::PropertyRange range{4.0f, 8.0f, 500.0f, Penner::Linear::easeIn};
    EXPECT_FLOAT_EQ(range.valueAt(0.0f), 4.0f);
    EXPECT_FLOAT_EQ(range.valueAt(250.0f), 6.0f);
    EXPECT_FLOAT_EQ(range.valueAt(500.0f), 8.0f);
    EXPECT_FLOAT_EQ(range.valueAt(625.0f), 7.0f);
    EXPECT_FLOAT_EQ(range.valueAt(1000.0f), 4.0f);
}

TEST(PropertyRange, RandomEaserDrawsBetweenMinAndMax) {
    const PSys::PropertyRange range{2.5f, 7.5f, 1.0f, Tween::easeRand};
    std::set<float> seen;
    for (int i = 0; i < 1000; ++i) {
        const float value = range.valueAt(static_cast<float>(i % 3));
        ASSERT_GE(value, 2.5f);
        ASSERT_LE(value, 7.5f);
        seen.insert(value);
    }
    EXPECT_GT(seen.size(), 900u);
}

TEST(PropertyRange, ZeroPeriodStaysAtMin) {
    const PSys::PropertyRange range{4.0f, 8.0f, 0.0f, Penner::Linear::easeIn};
    EXPECT_EQ(range.valueAt(0.0f), 4.0f);
    EXPECT_EQ(range.valueAt(300.0f), 4.0f);
}

}  // namespace
