// The bolt generator: ends, levels of subdivision, the point limit, mirroring, seeding; and the
// strike definitions.
#include <gmock/gmock.h>

#include <cmath>
#include <vector>

#include "engine/util/Random.h"
#include "game/effects/LightningDef.h"
#include "game/effects/LightningGenerator.h"

namespace {

struct Point {
    float x, y;
};

std::vector<Point> pointsOf(const std::vector<float>& floats) {
    std::vector<Point> points;
    for (size_t i = 0; i + 1 < floats.size(); i += 2) {
        points.push_back({floats[i], floats[i + 1]});
    }
    return points;
}

Zelmo::BoltParams bolt(float x0, float y0, float x1, float y1, float amplitude, float decay, float threshold,
                       int32_t maxPoints = 500) {
    Zelmo::BoltParams p;
    p.x0 = x0;
    p.y0 = y0;
    p.x1 = x1;
    p.y1 = y1;
    p.amplitude = amplitude;
    p.decay = decay;
    p.threshold = threshold;
    p.midpointScale = 1.0f;
    p.maxPoints = maxPoints;
    return p;
}

std::vector<Point> generate(const Zelmo::BoltParams& params, uint64_t stream = 7) {
    LightningGenerator generator(stream);
    std::vector<float> out;
    generator.generate(params, out);
    return pointsOf(out);
}

}  // namespace

TEST(LightningGenerator, ThreeLevelsOfSubdivisionGiveNinePointsFromStartToEnd) {
    const std::vector<Point> points = generate(bolt(0, 0, 100, 0, 300, 0.5f, 50));  // 300, 150, 75
    ASSERT_EQ(points.size(), 9u);
    EXPECT_EQ(points.front().x, 0.0f);
    EXPECT_EQ(points.front().y, 0.0f);
    EXPECT_EQ(points.back().x, 100.0f);
    EXPECT_EQ(points.back().y, 0.0f);
}

TEST(LightningGenerator, AnAmplitudeBelowTheThresholdDrawsAStraightBolt) {
    const std::vector<Point> points = generate(bolt(3, 4, 50, 60, 10, 0.5f, 50));
    ASSERT_EQ(points.size(), 2u);
    EXPECT_EQ(points[0].x, 3.0f);
    EXPECT_EQ(points[0].y, 4.0f);
    EXPECT_EQ(points[1].x, 50.0f);
    EXPECT_EQ(points[1].y, 60.0f);
}

// Midpoints move across the bolt: a horizontal bolt bends up and down, a vertical one sideways.
TEST(LightningGenerator, MidpointsMoveAcrossTheBolt) {
    const std::vector<Point> horizontal = generate(bolt(0, 0, 100, 0, 300, 0.5f, 50));
    const std::vector<Point> vertical = generate(bolt(0, 0, 0, 100, 300, 0.5f, 50));
    float bendY = 0.0f;
    float bendX = 0.0f;
    for (size_t i = 0; i < horizontal.size(); ++i) {
        EXPECT_LT(horizontal[i].x, 100.0f + 1e-3f);
        bendY = std::max(bendY, std::fabs(horizontal[i].y));
    }
    for (size_t i = 0; i < vertical.size(); ++i) {
        EXPECT_NEAR(vertical[i].y, 12.5f * float(i), 1e-3f) << "only x moves, point " << i;
        bendX = std::max(bendX, std::fabs(vertical[i].x));
    }
    EXPECT_GT(bendY, 1.0f);
    EXPECT_GT(bendX, 1.0f);
    for (size_t i = 0; i < horizontal.size(); ++i) {
        EXPECT_NEAR(horizontal[i].x, 12.5f * float(i), 1e-3f) << "only y moves, point " << i;
    }
}

// One level: the midpoint comes from the generator's own stream, seeded with the initial state
// 0x1234, one float and then one coin per midpoint.
TEST(LightningGenerator, TheMidpointIsScaledAboutTheOriginAndMovedByTheSeededStream) {
    Zelmo::BoltParams params = bolt(100, 0, 200, 0, 10, 0.1f, 10);
    params.midpointScale = 0.5f;
    const std::vector<Point> points = generate(params, 5);
    ASSERT_EQ(points.size(), 3u);

    Util::Random expected(5);
    expected.seed(0x1234, 5);
    const float share = expected.nextFloat() - 0.5f;
    const float move = (expected.nextInt(2) != 0 ? 10.0f : -10.0f) * share;
    EXPECT_NEAR(points[1].x, 75.0f, 1e-4f) << "(100 + 200) / 2 x 0.5";
    EXPECT_FLOAT_EQ(points[1].y, -move);
}

TEST(LightningGenerator, APointLimitCutsTheBoltWhichStillEndsAtItsEnd) {
    struct Case {
        float amplitude, decay, threshold;
        int32_t maxPoints;
    };
    // Amplitudes that never shrink and thresholds nothing falls below end too.
    for (const Case& c : {Case{300, 0.9f, 1, 50}, Case{300, 0.9f, 1, 500}, Case{100, 1.0f, 50, 50},
                          Case{100, 1.5f, 0, 500}, Case{100, 0.5f, 0, 50}, Case{100, 0.5f, -1, 20},
                          Case{300, 0.9f, 1, 2}, Case{300, 0.9f, 1, 0}}) {
        const std::vector<Point> points = generate(bolt(10, 20, 300, 400, c.amplitude, c.decay, c.threshold, c.maxPoints));
        const size_t limit = size_t(std::max(c.maxPoints, 2));
        SCOPED_TRACE(::testing::Message() << "amplitude " << c.amplitude << " decay " << c.decay << " threshold "
                                          << c.threshold << " limit " << c.maxPoints);
        EXPECT_EQ(points.size(), limit);
        EXPECT_EQ(points.front().x, 10.0f);
        EXPECT_EQ(points.front().y, 20.0f);
        EXPECT_EQ(points.back().x, 300.0f);
        EXPECT_EQ(points.back().y, 400.0f);
    }
}

TEST(LightningGenerator, TheLimitCountsOnlyTheBoltBeingMade) {
    LightningGenerator generator(3);
    std::vector<float> out = {1, 2, 3, 4};
    generator.generate(bolt(0, 0, 100, 0, 300, 0.5f, 50, 5), out);
    EXPECT_EQ(out.size(), 4u + 2 * 5u);
}

TEST(LightningGenerator, AMirroredBoltIsTheSameBoltReflectedThroughTheMiddleOfItsEnds) {
    Zelmo::BoltParams params = bolt(10, 20, 110, 80, 300, 0.5f, 20);
    const std::vector<Point> plain = generate(params, 11);
    params.mirror = true;
    const std::vector<Point> mirrored = generate(params, 11);
    ASSERT_EQ(mirrored.size(), plain.size());
    ASSERT_GT(plain.size(), 9u);
    for (size_t i = 0; i < plain.size(); ++i) {
        EXPECT_NEAR(mirrored[i].x, 120.0f - plain[i].x, 1e-3f) << i;
        EXPECT_NEAR(mirrored[i].y, 100.0f - plain[i].y, 1e-3f) << i;
    }
    EXPECT_EQ(mirrored.front().x, 110.0f);
    EXPECT_EQ(mirrored.back().x, 10.0f);
}

TEST(LightningGenerator, TheSameStreamGivesTheSameBoltAndARestoredStateRepeatsIt) {
    const Zelmo::BoltParams params = bolt(0, 0, 200, 50, 300, 0.6f, 10);
    std::vector<float> first, again, other;
    LightningGenerator(42).generate(params, first);
    LightningGenerator(42).generate(params, again);
    LightningGenerator(43).generate(params, other);
    EXPECT_EQ(first, again);
    EXPECT_NE(first, other);

    LightningGenerator generator(42);
    generator.saveRandomState();
    std::vector<float> next, repeated;
    generator.generate(params, next);
    EXPECT_EQ(next, first);
    generator.generate(params, next = {});
    EXPECT_NE(next, first) << "the stream moves on";
    generator.restoreRandomState();
    generator.generate(params, repeated);
    EXPECT_EQ(repeated, first);
}

TEST(LightningGenerator, GeneratorsMadeOneAfterAnotherDrawDifferentBolts) {
    const Zelmo::BoltParams params = bolt(0, 0, 200, 50, 300, 0.6f, 10);
    std::vector<float> a, b;
    LightningGenerator().generate(params, a);
    LightningGenerator().generate(params, b);
    EXPECT_NE(a, b);
}

TEST(LightningDef, TheThreeStrikeTypes) {
    const Zelmo::LightningDef* big = Zelmo::lightningDef(1);
    const Zelmo::LightningDef* steady = Zelmo::lightningDef(2);
    const Zelmo::LightningDef* small = Zelmo::lightningDef(3);
    ASSERT_NE(big, nullptr);
    ASSERT_NE(steady, nullptr);
    ASSERT_NE(small, nullptr);
    EXPECT_EQ(big->jitter, 60);
    EXPECT_EQ(big->midpointScale.min, 0.5f);
    EXPECT_EQ(big->midpointScale.max, 1.2f);
    EXPECT_EQ(big->palette[0], 0x0038ffffu);
    EXPECT_EQ(steady->jitter, 30);
    EXPECT_EQ(steady->midpointScale.min, 0.7f);
    EXPECT_EQ(steady->midpointScale.max, 0.7f);
    EXPECT_EQ(steady->amplitude, 300.0f);
    EXPECT_EQ(small->amplitude, 10.0f);
    EXPECT_EQ(small->threshold, 2.0f);
    EXPECT_EQ(small->life.min, 10.0f);
    EXPECT_EQ(small->life.max, 30.0f);
    EXPECT_EQ(small->palette[3], 0x1c1cb3ffu);
    EXPECT_EQ(Zelmo::lightningDef(0), nullptr);
    EXPECT_EQ(Zelmo::lightningDef(4), nullptr);
}
