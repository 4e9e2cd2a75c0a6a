#include <gtest/gtest.h>

#include <vector>

#include "engine/psys/CatmullRomSpline.h"
#include "engine/psys/SplinePath.h"

namespace {

const float kFivePoints[] = {0, 100, -50, 50, -75, 0, -50, -50, 0, -100};

void expectAt(const CatmullRomSpline::Point& p, float x, float y) {
    EXPECT_NEAR(p.x, x, 1e-4f);
    EXPECT_NEAR(p.y, y, 1e-4f);
}

TEST(CatmullRomSpline, TwoPointsGiveTheMidpointHalfway) {
    const float points[] = {10, 20, 30, -40};
    const CatmullRomSpline spline(points, 2);
    expectAt(spline.evaluate(0.5f), 20.0f, -10.0f);
    expectAt(spline.evaluate(0.0f), 10.0f, 20.0f);
    expectAt(spline.evaluate(1.0f), 30.0f, -40.0f);
}

TEST(CatmullRomSpline, PassesThroughEveryPoint) {
    const CatmullRomSpline spline(kFivePoints, 5);
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        expectAt(spline.evaluate(0.25f * static_cast<float>(i)), kFivePoints[2 * i], kFivePoints[2 * i + 1]);
    }
}

TEST(CatmullRomSpline, BetweenPointsFollowsTheCurve) {
    // Segment 0 of the five points with P0 repeated, u = 0.5.
    const CatmullRomSpline spline(kFivePoints, 5);
    expectAt(spline.evaluate(0.125f), -23.4375f, 78.125f);
}

TEST(CatmullRomSpline, OutsideZeroToOneStaysOnTheEnds) {
    const CatmullRomSpline spline(kFivePoints, 5);
    expectAt(spline.evaluate(-3.0f), 0.0f, 100.0f);
    expectAt(spline.evaluate(1e30f), 0.0f, -100.0f);
}

TEST(CatmullRomSpline, KeepsItsOwnCopyOfThePoints) {
    std::vector<float> points(kFivePoints, kFivePoints + 10);
    const CatmullRomSpline spline(points.data(), 5);
    points.assign(10, 7.0f);
    ASSERT_EQ(spline.getPoints().size(), 5u);
    EXPECT_EQ(spline.getPoints()[1].x, -50.0f);
    EXPECT_EQ(spline.getPoints()[1].y, 50.0f);
}

class SplinePathTest : public testing::Test {
protected:
    const CatmullRomSpline spline{kFivePoints, 5};

    static void run(Tween::SplinePath& path, float total, float step = 10.0f) {
        for (float t = 0.0f; t < total; t += step) path.update(step);
    }
};

TEST_F(SplinePathTest, StartsAtItsOffset) {
    const Tween::SplinePath path(3.0f, 4.0f, false, 500.0f, &spline);
    EXPECT_EQ(path.getX(), 3.0f);
    EXPECT_EQ(path.getY(), 4.0f);
    EXPECT_EQ(path.getDX(), 0.0f);
    EXPECT_EQ(path.getControlPoints().size(), 5u);
    EXPECT_EQ(path.getControlPoints()[2].x, -75.0f);
}

TEST_F(SplinePathTest, PingPongRunsToTheEndAndBack) {
    Tween::SplinePath path(0.0f, 0.0f, true, 500.0f, &spline);
    run(path, 250.0f);
    EXPECT_NEAR(path.getX(), -75.0f, 1e-3f);
    run(path, 250.0f);
    EXPECT_NEAR(path.getX(), 0.0f, 1e-3f);
    EXPECT_NEAR(path.getY(), -100.0f, 1e-3f);
    run(path, 250.0f);
    EXPECT_NEAR(path.getX(), -75.0f, 1e-3f);
    run(path, 250.0f);
    EXPECT_NEAR(path.getX(), 0.0f, 1e-3f);
    EXPECT_NEAR(path.getY(), 100.0f, 1e-3f);
}

TEST_F(SplinePathTest, WrapJumpsBackToTheStart) {
    Tween::SplinePath path(10.0f, 20.0f, false, 500.0f, &spline);
    run(path, 490.0f);
    EXPECT_LT(path.getY(), -90.0f + 20.0f);
    path.update(10.0f);
    EXPECT_NEAR(path.getX(), 10.0f, 1e-3f);
    EXPECT_NEAR(path.getY(), 120.0f, 1e-3f);
    EXPECT_GT(path.getDY(), 190.0f);
}

TEST_F(SplinePathTest, DeltaIsTheLastStep) {
    Tween::SplinePath path(0.0f, 0.0f, false, 500.0f, &spline);
    run(path, 100.0f);
    const float x = path.getX();
    const float y = path.getY();
    path.update(16.0f);
    EXPECT_FLOAT_EQ(path.getDX(), path.getX() - x);
    EXPECT_FLOAT_EQ(path.getDY(), path.getY() - y);
}

TEST_F(SplinePathTest, AnHourLaterItIsWhereAFewSecondsPutIt) {
    for (const bool pingPong : {false, true}) {
        SCOPED_TRACE(pingPong);
        Tween::SplinePath longRun(0.0f, 0.0f, pingPong, 560.0f, &spline);
        run(longRun, 3600.0f * 1000.0f, 16.0f);
        // 3,600,000 ms is 320 ms into a 560 ms pass and into a 1120 ms ping-pong cycle.
        Tween::SplinePath shortRun(0.0f, 0.0f, pingPong, 560.0f, &spline);
        run(shortRun, 2 * 1120.0f + 320.0f, 16.0f);
        EXPECT_FLOAT_EQ(longRun.getX(), shortRun.getX());
        EXPECT_FLOAT_EQ(longRun.getY(), shortRun.getY());
    }
}

TEST_F(SplinePathTest, ZeroPeriodStaysAtTheStart) {
    Tween::SplinePath path(1.0f, 2.0f, false, 0.0f, &spline);
    path.update(16.0f);
    path.update(1e9f);
    EXPECT_FLOAT_EQ(path.getX(), 1.0f);
    EXPECT_FLOAT_EQ(path.getY(), 102.0f);
}

}  // namespace
