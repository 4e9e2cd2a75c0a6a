#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "engine/audio/RoundOff.h"

namespace {

using Audio::roundOff;

TEST(RoundOffTest, LeavesSamplesUpToTheKneeUnchanged) {
    for (const float l_sample : {0.0f, 0.125f, -0.5f, 0.75f, -0.75f})
        EXPECT_EQ(roundOff(l_sample), l_sample) << l_sample;
}

TEST(RoundOffTest, KeepsLoudSamplesWithinFullScaleAndInOrder) {
    float l_previous = roundOff(0.75f);
    for (const float l_sample : {0.8f, 1.0f, 1.5f, 4.0f, 100.0f}) {
        const float l_out = roundOff(l_sample);
        EXPECT_GE(l_out, l_previous) << l_sample;
        EXPECT_LE(l_out, 1.0f) << l_sample;
        EXPECT_EQ(roundOff(-l_sample), -l_out) << l_sample;
        l_previous = l_out;
    }
    EXPECT_LT(roundOff(1.0f), 1.0f);
    EXPECT_GT(roundOff(1.0f), roundOff(0.8f));
}

TEST(RoundOffTest, BendsWithoutAStepAtTheKnee) {
    const float l_justAbove = Audio::kRoundOffKnee + 1e-3f;
    EXPECT_NEAR(roundOff(l_justAbove), l_justAbove, 1e-5f);
}

TEST(RoundOffTest, TurnsBrokenSamplesIntoSilenceOrFullScale) {
    EXPECT_EQ(roundOff(std::numeric_limits<float>::quiet_NaN()), 0.0f);
    EXPECT_EQ(roundOff(std::numeric_limits<float>::infinity()), 1.0f);
    EXPECT_EQ(roundOff(-std::numeric_limits<float>::infinity()), -1.0f);
}

}  // namespace
