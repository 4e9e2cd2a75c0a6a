#include <gtest/gtest.h>

#include <cmath>

#include "engine/psys/CircleMovingPoint.h"
#include "engine/psys/NonMovingPoint.h"
#include "engine/psys/RandMovingPoint.h"
#include "engine/psys/RandMovingPointCircle.h"

namespace {

void advance(Util::IMovingPoint& point, float total, float step) {
    for (float t = 0.0f; t < total; t += step) point.update(step);
}

TEST(NonMovingPoint, StaysPutWithoutDelta) {
    Util::NonMovingPoint point(3.0f, -4.0f);
    point.update(1000.0f);
    EXPECT_FLOAT_EQ(point.getX(), 3.0f);
    EXPECT_FLOAT_EQ(point.getY(), -4.0f);
    EXPECT_EQ(point.getDX(), 0.0f);
    EXPECT_EQ(point.getDY(), 0.0f);
}

struct CircleCase {
    bool clockwise;
    int startAngle;
    float time;
    float x;
    float y;
};

class CircleMovingPointPositions : public testing::TestWithParam<CircleCase> {};

TEST_P(CircleMovingPointPositions, RadiusEightyThreeTurnsPerSecond) {
    const CircleCase& c = GetParam();
    Util::CircleMovingPoint point(80.0f, 3.0f, c.clockwise, c.startAngle);
    if (c.time > 0.0f) point.update(c.time);
    EXPECT_NEAR(point.getX(), c.x, 0.01f);
    EXPECT_NEAR(point.getY(), c.y, 0.01f);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CircleMovingPointPositions,
    testing::Values(CircleCase{true, 0, 0.0f, 0.0f, 80.0f}, CircleCase{true, 0, 1000.0f / 12.0f, 80.0f, 0.0f},
                    CircleCase{false, 0, 1000.0f / 12.0f, -80.0f, 0.0f}, CircleCase{true, 180, 0.0f, 0.0f, -80.0f},
                    CircleCase{true, 0, 1000.0f / 6.0f, 0.0f, -80.0f}, CircleCase{true, 720 + 90, 0.0f, 80.0f, 0.0f},
                    CircleCase{true, -90, 0.0f, -80.0f, 0.0f}));

TEST(CircleMovingPoint, DeltaIsMeasuredFromTheStartPosition) {
    Util::CircleMovingPoint point(80.0f, 3.0f, true, 0);
    point.update(1000.0f / 12.0f);
    point.update(1.0f);
    EXPECT_NEAR(point.getDX(), point.getX() - 0.0f, 1e-4f);
    EXPECT_NEAR(point.getDY(), point.getY() - 80.0f, 1e-4f);
}

TEST(CircleMovingPoint, KeepsItsPhaseAfterAnHour) {
    Util::CircleMovingPoint point(80.0f, 3.0f, true, 0);
    advance(point, 3600.0f * 1000.0f, 16.0f);  // a whole number of turns
    EXPECT_NEAR(point.getX(), 0.0f, 0.5f);
    EXPECT_NEAR(point.getY(), 80.0f, 0.5f);
}

TEST(RandMovingPoint, StaysInItsRectangle) {
    Util::RandMovingPoint point(0.0f, {-5.0f, 5.0f}, 7.0f, {10.0f, 20.0f});
    for (int i = 0; i < 2000; ++i) {
        ASSERT_GE(point.getX(), -5.0f);
        ASSERT_LE(point.getX(), 5.0f);
        ASSERT_GE(point.getY(), 10.0f);
        ASSERT_LE(point.getY(), 20.0f);
        point.update(3.0f);
    }
}

TEST(RandMovingPoint, ZeroIntervalRedrawsAtEveryUpdate) {
    Util::RandMovingPoint point(0.0f, {0.0f, 1000.0f}, 0.0f, {0.0f, 1000.0f});
    int changes = 0;
    for (int i = 0; i < 100; ++i) {
        const float x = point.getX();
        point.update(0.0f);
        if (point.getX() != x) ++changes;
        EXPECT_FLOAT_EQ(point.getDX(), point.getX() - x);
    }
    EXPECT_GE(changes, 99);
}

TEST(RandMovingPoint, RedrawsEachAxisOnItsOwnInterval) {
    Util::RandMovingPoint point(50.0f, {0.0f, 1000.0f}, 1e9f, {0.0f, 1000.0f});
    const float x0 = point.getX();
    const float y0 = point.getY();
    point.update(20.0f);
    point.update(20.0f);
    EXPECT_EQ(point.getX(), x0);
    point.update(20.0f);  // 60 ms: the x interval has passed
    EXPECT_NE(point.getX(), x0);
    EXPECT_EQ(point.getY(), y0);
}

TEST(RandMovingPoint, FixedAxisNeverMoves) {
    Util::RandMovingPoint point(0.0f, {2.5f, 2.5f}, 0.0f, {-1.0f, 1.0f});
    for (int i = 0; i < 50; ++i) {
        point.update(16.0f);
        EXPECT_EQ(point.getX(), 2.5f);
        EXPECT_EQ(point.getDX(), 0.0f);
    }
}

TEST(RandMovingPointCircle, StaysInItsRingOnWholeDegreesBelow359) {
    Util::RandMovingPointCircle point(10.0f, 30.0f, 0.0f);
    for (int i = 0; i < 20000; ++i) {
        const float radius = std::hypot(point.getX(), point.getY());
        ASSERT_GE(radius, 10.0f - 1e-3f);
        ASSERT_LE(radius, 30.0f + 1e-3f);
        // x = r sin d, y = r cos d for the direction d in degrees.
        double degrees = std::atan2(point.getX(), point.getY()) * 180.0 / M_PI;
        if (degrees < -0.5) degrees += 360.0;
        ASSERT_NEAR(degrees, std::round(degrees), 0.01);
        ASSERT_LE(std::round(degrees), 358.0);
        point.update(1.0f);
    }
}

TEST(RandMovingPointCircle, StartsAtARandomPointAndWaitsForItsInterval) {
    Util::RandMovingPointCircle point(20.0f, 20.0f, 100.0f);
    EXPECT_NEAR(std::hypot(point.getX(), point.getY()), 20.0f, 1e-3f);
    const float x = point.getX();
    const float y = point.getY();
    point.update(99.0f);
    EXPECT_EQ(point.getX(), x);
    EXPECT_EQ(point.getY(), y);
}

}  // namespace
