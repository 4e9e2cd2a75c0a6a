#include <gtest/gtest.h>

#include "engine/util/Random.h"

namespace {

TEST(Random, SeedGivesThePublishedDemonstrationValues) {
    Util::Random random(1);
    random.seed(42, 54);
    EXPECT_EQ(random.next(), 0xa15c02b7u);
    EXPECT_EQ(random.next(), 0x7b47f409u);
    EXPECT_EQ(random.next(), 0xba1d3330u);
}

TEST(Random, StreamConstructorIsTheSeedingWithInitialStateZero) {
    Util::Random constructed(54);
    Util::Random seeded(1);
    seeded.seed(0, 54);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(constructed.next(), seeded.next());
}

TEST(Random, NextIntOfOneIsZeroAndConsumesOneDraw) {
    Util::Random a(7), b(7);
    EXPECT_EQ(a.nextInt(1), 0u);
    b.next();
    EXPECT_EQ(a.next(), b.next());
}

TEST(Random, NextIntStaysBelowItsBound) {
    Util::Random random(3);
    for (uint32_t bound : {2u, 3u, 10u, 1000u, 0x80000001u}) {
        for (int i = 0; i < 200; ++i) EXPECT_LT(random.nextInt(bound), bound);
    }
}

TEST(RandomDeathTest, NextIntOfZeroIsAFatalStop) {
    Util::Random random(3);
    EXPECT_EXIT(random.nextInt(0), ::testing::ExitedWithCode(1), "bound of 0");
}

TEST(Random, NextFloatLiesInTheClosedUnitInterval) {
    Util::Random random(5);
    for (int i = 0; i < 10000; ++i) {
        const float value = random.nextFloat();
        EXPECT_GE(value, 0.0f);
        EXPECT_LE(value, 1.0f);
    }
}

TEST(Random, TwoDeviceSeededGeneratorsDiffer) {
    Util::Random a, b;
    EXPECT_NE(a.next() ^ (uint64_t(a.next()) << 32), b.next() ^ (uint64_t(b.next()) << 32));
}

}  // namespace
