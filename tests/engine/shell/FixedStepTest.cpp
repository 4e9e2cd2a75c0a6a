#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "engine/shell/FixedStep.h"

namespace {

using Game::FixedStep;

constexpr double kSixtyth = 1000.0 / 60.0;

struct RateCase {
    double fps;
};

void PrintTo(const RateCase& c, std::ostream* os) { *os << c.fps << " fps"; }

class FixedStepRates : public ::testing::TestWithParam<RateCase> {};

// Passes at the frame rate for ten seconds of a clock that reads k / fps seconds at the k-th
// pass: 600 steps at any rate, each pass running the whole steps its time holds or one more.
TEST_P(FixedStepRates, RunSixtyStepsPerRealSecondWhateverTheFrameRate) {
    const double fps = GetParam().fps;
    FixedStep clock(kSixtyth, FixedStep::maxStepsFor(kSixtyth));
    int steps = 0, fewest = 1000, most = 0;
    double previous = 0.0;
    const int passes = int(std::lround(10.0 * fps));
    for (int k = 1; k <= passes; ++k) {
        const double now = double(k) / fps * 1000.0;
        const int due = clock.advance(now - previous);
        previous = now;
        steps += due;
        fewest = std::min(fewest, due);
        most = std::max(most, due);
    }
    EXPECT_EQ(steps, 600);
    const double perPass = 60.0 / fps;
    EXPECT_GE(fewest, int(std::floor(perPass)));
    EXPECT_LE(most, int(std::ceil(perPass)));
    EXPECT_EQ(clock.droppedMs(), 0.0);
}

INSTANTIATE_TEST_SUITE_P(Table, FixedStepRates,
                         ::testing::Values(RateCase{20}, RateCase{30}, RateCase{42}, RateCase{60}, RateCase{75},
                                           RateCase{144}, RateCase{240}));

// A display refreshing at the step rate, its frames up to 6 ms early or late: never a pass
// without a step followed by one with two, which would stutter.
TEST(FixedStep, PassesAtTheStepRateRunOneStepEachThroughTheClocksJitter) {
    FixedStep clock(kSixtyth, 15);
    const double jitter[] = {0.0, 6.0, -6.0, 3.0, -1.0, 5.5, -5.5, 0.2};
    double late = 0.0;
    for (int k = 0; k < 6000; ++k) {
        const double next = jitter[k % 8];
        ASSERT_EQ(clock.advance(kSixtyth + next - late), 1) << "pass " << k;
        late = next;
    }
}

TEST(FixedStep, TimeLeftOverWaitsForTheNextPass) {
    // Steps of 10 ms; the clock starts half a step in.
    FixedStep clock(10.0, 15);
    EXPECT_EQ(clock.pendingMs(), 5.0);
    EXPECT_EQ(clock.advance(4.0), 0);
    EXPECT_EQ(clock.pendingMs(), 9.0);
    EXPECT_EQ(clock.advance(2.0), 1);
    EXPECT_EQ(clock.pendingMs(), 1.0);
    EXPECT_EQ(clock.advance(25.0), 2);
    EXPECT_EQ(clock.pendingMs(), 6.0);
}

TEST(FixedStep, AStallCatchesUpAtMostMaxStepsAndDropsTheRest) {
    FixedStep clock(10.0, 15);
    EXPECT_EQ(clock.advance(1000.0), 15);
    EXPECT_EQ(clock.pendingMs(), 5.0) << "half a step again";
    EXPECT_EQ(clock.droppedMs(), 1005.0 - 155.0);
    EXPECT_EQ(clock.advance(10.0), 1) << "and on as before";
    // Just over the limit: one step's worth is dropped, not carried into the next pass.
    EXPECT_EQ(clock.advance(160.0), 15);
    EXPECT_EQ(clock.droppedMs(), 850.0 + 10.0);
}

TEST(FixedStep, NoTimeOrTimeThatIsNoNumberRunsNoStep) {
    FixedStep clock(10.0, 15);
    for (const double odd : {0.0, -5.0, std::numeric_limits<double>::quiet_NaN(),
                             std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity()}) {
        EXPECT_EQ(clock.advance(odd), 0) << odd;
    }
    EXPECT_EQ(clock.pendingMs(), 5.0);
    EXPECT_EQ(clock.droppedMs(), 0.0);
}

TEST(FixedStep, TheCatchUpLimitIsAQuarterSecondOfSteps) {
    EXPECT_EQ(FixedStep::maxStepsFor(kSixtyth), 15);
    EXPECT_EQ(FixedStep::maxStepsFor(1000.0f / 60.0f), 15) << "the context's step, in float";
    EXPECT_EQ(FixedStep::maxStepsFor(1000.0 / 144.0), 36);
    EXPECT_EQ(FixedStep::maxStepsFor(1000.0 / 24.0), 6);
    EXPECT_EQ(FixedStep::maxStepsFor(1000.0), 1);
    EXPECT_EQ(FixedStep::maxStepsFor(0.0), 1);
    EXPECT_EQ(FixedStep::maxStepsFor(std::numeric_limits<double>::infinity()), 1);
}

TEST(FixedStep, LengthsThatMakeNoClockFallBackToSixtyStepsASecondAndOneStepAPass) {
    for (const double odd : {0.0, -1.0, std::numeric_limits<double>::infinity()}) {
        FixedStep clock(odd, 0);
        EXPECT_EQ(clock.stepMs(), kSixtyth) << odd;
        EXPECT_EQ(clock.maxSteps(), 1) << odd;
    }
}

}  // namespace
