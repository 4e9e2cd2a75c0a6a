#include <gtest/gtest.h>

#include "engine/util/Random.h"

namespace {

TEST(Random, SeedGivesThePublishedDemonstrationValues) {
    Util::Random l_random(1);
    l_random.seed(42, 54);
    EXPECT_EQ(l_random.next(), 0xa15c02b7u);
    EXPECT_EQ(l_random.next(), 0x7b47f409u);
    EXPECT_EQ(l_random.next(), 0xba1d3330u);
}

TEST(Random, StreamConstructorIsTheSeedingWithInitialStateZero) {
    Util::Random l_constructed(54);
    Util::Random l_seeded(1);
    l_seeded.seed(0, 54);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(l_constructed.next(), l_seeded.next());
}

TEST(Random, NextIntOfOneIsZeroAndConsumesOneDraw) {
    Util::Random l_a(7), l_b(7);
    EXPECT_EQ(l_a.nextInt(1), 0u);
    l_b.next();
    EXPECT_EQ(l_a.next(), l_b.next());
}

TEST(Random, NextIntStaysBelowItsBound) {
    Util::Random l_random(3);
    for (uint32_t l_bound : {2u, 3u, 10u, 1000u, 0x80000001u}) {
        for (int i = 0; i < 200; ++i) EXPECT_LT(l_random.nextInt(l_bound), l_bound);
    }
}

TEST(RandomDeathTest, NextIntOfZeroIsAFatalStop) {
    Util::Random l_random(3);
    EXPECT_EXIT(l_random.nextInt(0), ::testing::ExitedWithCode(1), "bound of 0");
}

TEST(Random, NextFloatLiesInTheClosedUnitInterval) {
    Util::Random l_random(5);
    for (int i = 0; i < 10000; ++i) {
        const float l_value = l_random.nextFloat();
        EXPECT_GE(l_value, 0.0f);
        EXPECT_LE(l_value, 1.0f);
    }
}

TEST(Random, TwoDeviceSeededGeneratorsDiffer) {
    Util::Random l_a, l_b;
    EXPECT_NE(l_a.next() ^ (uint64_t(l_a.next()) << 32), l_b.next() ^ (uint64_t(l_b.next()) << 32));
}

}  // namespace
