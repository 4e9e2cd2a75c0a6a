#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "engine/audio/RoundOff.h"

namespace {

using Audio::roundOff;

TEST(RoundOffTest, LeavesSamplesUpToTheKneeUnchanged) {
    for (const float sample : {0.0f, 0.125f, -0.5f, 0.75f, -0.75f}) EXPECT_EQ(roundOff(sample), sample) << sample;
}

TEST(RoundOffTest, KeepsLoudSamplesWithinFullScaleAndInOrder) {
    float previous = roundOff(0.75f);
    for (const float sample : {0.8f, 1.0f, 1.5f, 4.0f, 100.0f}) {
        const float out = roundOff(sample);
        EXPECT_GE(out, previous) << sample;
        EXPECT_LE(out, 1.0f) << sample;
        EXPECT_EQ(roundOff(-sample), -out) << sample;
        previous = out;
    }
    EXPECT_LT(roundOff(1.0f), 1.0f);
    EXPECT_GT(roundOff(1.0f), roundOff(0.8f));
}

TEST(RoundOffTest, BendsWithoutAStepAtTheKnee) {
    const float justAbove = Audio::kRoundOffKnee + 1e-3f;
    EXPECT_NEAR(roundOff(justAbove), justAbove, 1e-5f);
}

TEST(RoundOffTest, TurnsBrokenSamplesIntoSilenceOrFullScale) {
    EXPECT_EQ(roundOff(std::numeric_limits<float>::quiet_NaN()), 0.0f);
    EXPECT_EQ(roundOff(std::numeric_limits<float>::infinity()), 1.0f);
    EXPECT_EQ(roundOff(-std::numeric_limits<float>::infinity()), -1.0f);
}

}  // namespace
