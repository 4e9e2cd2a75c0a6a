// Advancing one timeline: when an entry shows, the values it shows, and lightning bolts that keep
// or change their shape.
#include <gmock/gmock.h>

#include <vector>

#include "game/effects/BeamTimeline.h"

using Zelmo::BeamSegment;
using Zelmo::BeamSegmentDef;
using Zelmo::BeamTimeline;
using Varying = Zelmo::VaryingValue<float>;

namespace {

// Lightning whose bolts keep their parameters: one bolt from near the origin to 200 up.
BeamSegmentDef steadyLightning() {
    BeamSegmentDef def;
    def.stretch = false;
    def.boltCount = {1, 1, Varying::kOnce};
    def.boltStartRadius = {0.0f, 0.0f, Varying::kOnce};
    def.boltEndRadius = {200.0f, 200.0f, Varying::kOnce};
    def.boltAmplitude = {100, 100, Varying::kOnce};
    def.boltDecay = {0.5f, 0.5f, Varying::kOnce};
    def.boltThreshold = {10.0f, 10.0f, Varying::kOnce};
    def.boltMidpointScale = {1.0f, 1.0f, Varying::kOnce};
    return def;
}

class OneEntry : public ::testing::Test {
protected:
    void show(const BeamSegmentDef& def, float startMs, float endMs) {
        timeline.entries.push_back({startMs, endMs, &def});
    }

    // The segments shown after advancing by dt.
    const std::vector<BeamSegment>& step(float dt) {
        shown.clear();
        timeline.update(dt, shown, bounds);
        return shown;
    }

    BeamTimeline timeline;
    std::vector<BeamSegment> shown;
    float bounds[4] = {};
};

}  // namespace

TEST_F(OneEntry, AnEntryWaitsShowsFromItsStartToItsEndInclusiveAndThenEnds) {
    const BeamSegmentDef& thickening = *Zelmo::beamSegmentDef(15);  // thickness 1 -> 4, white -> magenta
    show(thickening, 200, 400);
    EXPECT_TRUE(step(199).empty());
    EXPECT_FALSE(timeline.active);
    EXPECT_FALSE(timeline.finished) << "an entry is still waiting";

    ASSERT_EQ(step(1).size(), 1u);
    EXPECT_TRUE(timeline.active);
    EXPECT_EQ(shown[0].thickness, 1.0f);
    EXPECT_EQ(shown[0].colour, 0xffffffffu);

    ASSERT_EQ(step(100).size(), 1u);
    EXPECT_FLOAT_EQ(shown[0].thickness, 2.5f);
    EXPECT_EQ(shown[0].colour, 0xffff7fffu) << "halfway, each byte truncated";

    ASSERT_EQ(step(100).size(), 1u) << "shown at exactly its end";
    EXPECT_EQ(shown[0].thickness, 4.0f);
    EXPECT_EQ(shown[0].colour, 0xffff00ffu);

    EXPECT_TRUE(step(0.5f).empty());
    EXPECT_FALSE(timeline.active);
    EXPECT_TRUE(timeline.finished);
}

TEST_F(OneEntry, ACountEasedFromFourToOneIsTruncated) {
    show(*Zelmo::beamSegmentDef(20), 0, 500);
    EXPECT_EQ(step(0)[0].count, 4);
    EXPECT_EQ(step(200)[0].count, 2) << "4 - 3 x 0.4 = 2.8";
    EXPECT_EQ(step(290)[0].count, 1) << "near the end";
}

TEST_F(OneEntry, AnEntryWithoutDurationShowsItsEndValues) {
    show(*Zelmo::beamSegmentDef(15), 100, 100);
    ASSERT_EQ(step(100).size(), 1u);
    EXPECT_EQ(shown[0].thickness, 4.0f);
    EXPECT_EQ(shown[0].colour, 0xffff00ffu);
}

TEST_F(OneEntry, AShapeCopiesItsDefinitionAndIsBoundedByNothing) {
    const BeamSegmentDef& ring = *Zelmo::beamSegmentDef(43);  // scale 1 -> 3
    show(ring, 0, 100);
    ASSERT_EQ(step(100).size(), 1u);
    EXPECT_EQ(shown[0].polylines, ring.polylines);
    EXPECT_EQ(shown[0].extent, BeamSegment::kShapeExtent);
    EXPECT_EQ(bounds[0], -3.0f * BeamSegment::kShapeExtent);
    EXPECT_EQ(bounds[2], 6.0f * BeamSegment::kShapeExtent);
}

TEST_F(OneEntry, LightningBoltsEndWhereTheirRadiiPutThemAndBoundTheSegment) {
    BeamSegmentDef def = steadyLightning();
    def.scale = {2.0f, 2.0f};
    show(def, 0, 1000);
    ASSERT_EQ(step(10).size(), 1u);
    ASSERT_EQ(shown[0].polylines.size(), 1u);
    const Zelmo::Polyline& bolt = shown[0].polylines[0];
    ASSERT_GE(bolt.size(), 4u);
    EXPECT_LE(bolt.size(), 2u * 50) << "a beam's bolts have at most 50 points";
    EXPECT_NEAR(bolt[0], 0.0f, 1e-4f);
    EXPECT_NEAR(bolt[1], 0.0f, 1e-4f);
    EXPECT_NEAR(bolt[bolt.size() - 2], 0.0f, 1e-4f) << "direction 0 points along the beam";
    EXPECT_NEAR(bolt[bolt.size() - 1], 200.0f, 1e-4f);
    EXPECT_EQ(shown[0].extent, Zelmo::beamSegmentExtent(shown[0].polylines));
    EXPECT_GE(shown[0].extent, 200.0f);
    EXPECT_EQ(bounds[0], -2.0f * shown[0].extent);
    EXPECT_EQ(bounds[3], 4.0f * shown[0].extent);
}

TEST_F(OneEntry, BoltsKeepTheirShapeWhileTheirParametersStay) {
    const BeamSegmentDef def = steadyLightning();
    show(def, 0, 1000);
    const Zelmo::Polyline first = step(10)[0].polylines[0];
    EXPECT_EQ(step(10)[0].polylines[0], first);
    EXPECT_EQ(step(300)[0].polylines[0], first);
}

TEST_F(OneEntry, AStartDrawnOnceStaysForTheEntrysLifeAndOneDrawnEveryUpdateMoves) {
    BeamSegmentDef once = steadyLightning();
    once.boltAngleMin = -90;
    once.boltAngleMax = 90;
    once.boltStartRadius = {10.0f, 90.0f, Varying::kOnce};
    BeamSegmentDef moving = once;
    moving.boltStartRadius.mode = Varying::kEveryUpdate;
    show(once, 0, 1000);
    show(moving, 0, 1000);
    std::vector<std::pair<float, float>> onceStarts, movingStarts;
    for (int frame = 0; frame < 10; ++frame) {
        step(16);
        ASSERT_EQ(shown.size(), 2u);
        onceStarts.emplace_back(shown[0].polylines[0][0], shown[0].polylines[0][1]);
        movingStarts.emplace_back(shown[1].polylines[0][0], shown[1].polylines[0][1]);
    }
    for (size_t i = 1; i < onceStarts.size(); ++i) {
        EXPECT_EQ(onceStarts[i], onceStarts[0]) << "frame " << i;
    }
    std::sort(movingStarts.begin(), movingStarts.end());
    EXPECT_GT(std::unique(movingStarts.begin(), movingStarts.end()) - movingStarts.begin(), 5);
}

TEST_F(OneEntry, EachPassOfALoopingBeamDrawsNewBolts) {
    const BeamSegmentDef def = steadyLightning();
    show(def, 0, 100);
    timeline.loops = 2;
    std::vector<Zelmo::Polyline> passes;
    for (int frame = 0; frame < 40 && !timeline.finished; ++frame) {
        const float before = timeline.time;
        step(50);
        if (!shown.empty() && before == 0.0f) {
            passes.push_back(shown[0].polylines[0]);
            EXPECT_EQ(timeline.boltStates.size(), 1u);
        }
        if (shown.empty() && !timeline.finished) {
            EXPECT_TRUE(timeline.boltStates.empty()) << "discarded at the restart";
        }
    }
    ASSERT_EQ(passes.size(), 3u);
    EXPECT_NE(passes[0], passes[1]);
    EXPECT_NE(passes[1], passes[2]);
}

TEST_F(OneEntry, TheBoltCountFollowsItsEasing) {
    show(*Zelmo::beamSegmentDef(66), 0, 400);  // five bolts easing to one
    EXPECT_EQ(step(0)[0].polylines.size(), 5u);
    EXPECT_EQ(step(200)[0].polylines.size(), 3u);
    EXPECT_EQ(step(200)[0].polylines.size(), 1u);
}

TEST(BeamSegmentExtent, TheLargestAbsoluteCoordinate) {
    EXPECT_EQ(Zelmo::beamSegmentExtent({}), 0.0f);
    EXPECT_EQ(Zelmo::beamSegmentExtent({{}, {}}), 0.0f);
    EXPECT_EQ(Zelmo::beamSegmentExtent({{1, -2}, {3, 0.5f, -7, 2}}), 7.0f);
}
