#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "engine/tween/Easing.h"

namespace {

// Reference values from the published Penner formulas, evaluated in double precision.
struct EaserCase {
    std::string name;
    float t, b, c, d;
    double expected;
};

void PrintTo(const EaserCase& e, std::ostream* os) { *os << e.name << " t=" << e.t; }

class EaserValues : public ::testing::TestWithParam<EaserCase> {};

TEST_P(EaserValues, MatchThePublishedFormulas) {
    const auto& e = GetParam();
    const Tween::EaseFn fn = Tween::findEaser(e.name);
    ASSERT_NE(fn, nullptr);
    EXPECT_NEAR(fn(e.t, e.b, e.c, e.d), e.expected, 1e-4) << e.name;
}

const double kPi = 3.14159265358979;

INSTANTIATE_TEST_SUITE_P(
    Table, EaserValues,
    ::testing::Values(
        EaserCase{"inQuad", 0.5f, 0, 1, 1, 0.25}, EaserCase{"outQuad", 0.5f, 0, 1, 1, 0.75},
        EaserCase{"inOutQuad", 0.25f, 10, 20, 1, 10 + 20 * 0.125}, EaserCase{"inOutQuad", 0.75f, 0, 1, 1, 0.875},
        EaserCase{"inCubic", 0.5f, 0, 8, 1, 1.0}, EaserCase{"outCubic", 0.5f, 0, 1, 1, 0.875},
        EaserCase{"inOutCubic", 0.75f, 0, 1, 1, 0.9375}, EaserCase{"inQuart", 0.5f, 0, 1, 1, 0.0625},
        EaserCase{"outQuart", 0.5f, 0, 1, 1, 0.9375}, EaserCase{"inOutQuart", 0.25f, 0, 1, 1, 0.03125},
        EaserCase{"inQuint", 0.5f, 0, 1, 1, 0.03125}, EaserCase{"outQuint", 0.5f, 0, 1, 1, 0.96875},
        EaserCase{"inOutQuint", 0.75f, 0, 1, 1, 0.984375}, EaserCase{"inSine", 0.5f, 0, 1, 1, 1 - std::cos(kPi / 4)},
        EaserCase{"outSine", 0.5f, 0, 1, 1, std::sin(kPi / 4)}, EaserCase{"inOutSine", 0.25f, 0, 1, 1, 0.5 * (1 - std::cos(kPi / 4))},
        EaserCase{"inExpo", 0.5f, 0, 1, 1, std::pow(2.0, -5.0)}, EaserCase{"outExpo", 0.5f, 0, 1, 1, 1 - std::pow(2.0, -5.0)},
        EaserCase{"inOutExpo", 0.25f, 0, 1, 1, 0.5 * std::pow(2.0, -5.0)},
        EaserCase{"inCirc", 0.5f, 0, 1, 1, 1 - std::sqrt(0.75)}, EaserCase{"outCirc", 0.5f, 0, 1, 1, std::sqrt(0.75)},
        EaserCase{"inOutCirc", 0.25f, 0, 1, 1, 0.5 * (1 - std::sqrt(0.75))},
        EaserCase{"inBack", 0.5f, 0, 1, 1, 0.25 * (2.70158 * 0.5 - 1.70158)},
        EaserCase{"outBack", 0.5f, 0, 1, 1, 0.25 * (2.70158 * -0.5 + 1.70158) + 1},
        EaserCase{"outBounce", 0.2f, 0, 1, 1, 7.5625 * 0.04}, EaserCase{"outBounce", 0.5f, 0, 1, 1, 7.5625 * std::pow(0.5 - 6.0 / 11, 2) + 0.75},
        EaserCase{"inBounce", 0.5f, 0, 1, 1, 1 - (7.5625 * std::pow(0.5 - 6.0 / 11, 2) + 0.75)},
        EaserCase{"inElastic", 0.5f, 0, 1, 1, -std::pow(2.0, -5.0) * std::sin((-0.5 - 0.075) * 2 * kPi / 0.3)},
        EaserCase{"outElastic", 0.5f, 0, 1, 1, std::pow(2.0, -5.0) * std::sin((0.5 - 0.075) * 2 * kPi / 0.3) + 1},
        EaserCase{"inLinear", 3.0f, 2, 4, 4, 5.0}, EaserCase{"outInLinear", 3.0f, 2, 4, 4, 5.0},
        EaserCase{"outInQuad", 0.25f, 0, 1, 1, 0.375}, EaserCase{"outInQuad", 0.75f, 0, 1, 1, 0.625}));

// Drawings name their easers; every form of every curve is found by its name and runs from the
// start value to the start plus the change.
TEST(Easers, EveryFormOfEveryCurveIsFoundByNameAndRunsFromStartToEnd) {
    for (const char* curve :
         {"Back", "Bounce", "Circ", "Cubic", "Elastic", "Expo", "Linear", "Quad", "Quart", "Quint", "Sine"}) {
        for (const char* form : {"in", "out", "inOut", "outIn"}) {
            const std::string name = std::string(form) + curve;
            const Tween::EaseFn fn = Tween::findEaser(name);
            ASSERT_NE(fn, nullptr) << name;
            EXPECT_NEAR(fn(0.0f, 3.0f, 5.0f, 2.0f), 3.0f, 1e-3f) << name;
            EXPECT_NEAR(fn(2.0f, 3.0f, 5.0f, 2.0f), 8.0f, 1e-3f) << name;
        }
    }
    EXPECT_NE(Tween::findEaser("Rand"), nullptr);
}

TEST(Easers, EmptyNameMeansNoEasing) { EXPECT_EQ(Tween::findEaser(""), nullptr); }

TEST(Easers, PlainLinearFormsAreOneFunction) {
    EXPECT_EQ(Tween::findEaser("inLinear"), Tween::findEaser("outLinear"));
    EXPECT_EQ(Tween::findEaser("inLinear"), Tween::findEaser("inOutLinear"));
}

TEST(EasersDeathTest, UnknownNameIsAFatalStop) {
    EXPECT_EXIT(Tween::findEaser("inquad"), ::testing::ExitedWithCode(1), "^Easer inquad unknown\n$");
}

TEST(Easers, CurvesThatDoNotOvershootStayInRange) {
    for (const auto& entry : Tween::easerTable) {
        const std::string name = entry.name;
        if (name == "Rand") continue;
        const bool overshoots = name.find("Back") != std::string::npos || name.find("Elastic") != std::string::npos;
        if (overshoots) continue;
        for (int i = 0; i <= 20; ++i) {
            const float value = entry.fn(0.1f * float(i), 3.0f, 5.0f, 2.0f);
            EXPECT_GE(value, 3.0f - 1e-4f) << name << " at " << i;
            EXPECT_LE(value, 8.0f + 1e-4f) << name << " at " << i;
        }
    }
}

TEST(Easers, ExpoIsExactAtItsEnds) {
    EXPECT_EQ(Penner::Expo::easeIn(0.0f, 3.0f, 5.0f, 2.0f), 3.0f);
    EXPECT_EQ(Penner::Expo::easeOut(2.0f, 3.0f, 5.0f, 2.0f), 8.0f);
    EXPECT_EQ(Penner::Expo::easeInOut(0.0f, 3.0f, 5.0f, 2.0f), 3.0f);
    EXPECT_EQ(Penner::Expo::easeInOut(2.0f, 3.0f, 5.0f, 2.0f), 8.0f);
}

TEST(Easers, BackAndElasticOvershoot) {
    EXPECT_LT(Penner::Back::easeIn(0.2f, 0.0f, 1.0f, 1.0f), 0.0f);
    EXPECT_GT(Penner::Back::easeOut(0.8f, 0.0f, 1.0f, 1.0f), 1.0f);
    float maximum = 0.0f;
    for (int i = 1; i < 100; ++i)
        maximum = std::max(maximum, Penner::Elastic::easeOut(0.01f * float(i), 0.0f, 1.0f, 1.0f));
    EXPECT_GT(maximum, 1.0f);
}

TEST(Easers, RandStaysInRangeAndReturnsTheStartForNoChange) {
    EXPECT_EQ(Tween::easeRand(0.5f, 7.0f, 0.0f, 1.0f), 7.0f);
    for (int i = 0; i < 100; ++i) {
        const float value = Tween::findEaser("Rand")(0.0f, 2.0f, 3.0f, 1.0f);
        EXPECT_GE(value, 2.0f);
        EXPECT_LE(value, 5.0f);
    }
}

}  // namespace
