// The segment definitions: the registry, the circle builder, and values a slip in the tables
// would change.
#include <gmock/gmock.h>

#include <cmath>

#include "engine/tween/Penner.h"
#include "game/effects/BeamSegmentDef.h"

using Zelmo::beamSegmentDef;
using Zelmo::BeamSegmentDef;

TEST(BeamSegmentDef, ADefaultSegmentIsOneWhiteLinearStretchedShape) {
    const BeamSegmentDef def;
    EXPECT_EQ(def.easer, &Penner::Linear::easeIn);
    EXPECT_EQ(def.count.from, 1);
    EXPECT_EQ(def.count.to, 1);
    EXPECT_EQ(def.thickness.from, 1.0f);
    EXPECT_EQ(def.scale.to, 1.0f);
    EXPECT_EQ(def.colour.from, 0xffffffffu);
    EXPECT_EQ(def.colour.to, 0xffffffffu);
    EXPECT_TRUE(def.stretch);
    EXPECT_FALSE(def.mirror || def.filled || def.boltMirror);
    EXPECT_FALSE(def.isLightning());
}

TEST(BeamSegmentDef, TheBlastRingIsAClosedCircleOf36CornersFromTheTop) {
    const BeamSegmentDef* ring = beamSegmentDef(44);
    ASSERT_NE(ring, nullptr);
    ASSERT_EQ(ring->polylines.size(), 1u);
    const Zelmo::Polyline& points = ring->polylines[0];
    ASSERT_EQ(points.size(), 37u * 2);
    EXPECT_EQ(points[0], 0.0f);
    EXPECT_EQ(points[1], 50.0f);
    EXPECT_EQ(points[72], 0.0f);
    EXPECT_EQ(points[73], 50.0f);
    EXPECT_FALSE(ring->stretch);
    EXPECT_EQ(ring->easer, &Penner::Cubic::easeIn);
}

TEST(BeamSegmentDef, ACircleRunsClockwiseFromTheTop) {
    const Zelmo::Polyline square = Zelmo::circlePolyline(10.0f, 4.0f);
    const float expected[] = {0, 10, 10, 0, 0, -10, -10, 0, 0, 10};
    ASSERT_EQ(square.size(), std::size(expected));
    for (size_t i = 0; i < square.size(); ++i) {
        EXPECT_NEAR(square[i], expected[i], 1e-5f) << i;
    }
    EXPECT_EQ(Zelmo::circlePolyline(5.0f, 2.5f).size(), 4u * 2) << "corners while i < n, then the first again";
}

TEST(BeamSegmentDef, UnknownIdsHaveNoDefinition) {
    EXPECT_EQ(beamSegmentDef(168), nullptr);
    EXPECT_EQ(beamSegmentDef(-1), nullptr);
}

// Each definition is either a shape of whole points or lightning, never both.
TEST(BeamSegmentDef, EverySegmentIsAShapeOrLightning) {
    int shapes = 0;
    int lightning = 0;
    for (int id = 0; id < 170; ++id) {
        const BeamSegmentDef* def = beamSegmentDef(id);
        if (def == nullptr) {
            continue;
        }
        if (def->isLightning()) {
            ++lightning;
            EXPECT_TRUE(def->polylines.empty()) << id;
            EXPECT_GT(def->boltCount.min, 0) << id;
            continue;
        }
        ++shapes;
        ASSERT_FALSE(def->polylines.empty()) << id;
        for (const Zelmo::Polyline& polyline : def->polylines) {
            EXPECT_GE(polyline.size(), 4u) << id;
            EXPECT_EQ(polyline.size() % 2, 0u) << id;
        }
    }
    EXPECT_EQ(shapes, 43);
    EXPECT_EQ(lightning, 92);
}

TEST(BeamSegmentDef, GroupsTurnTheirSegmentsAroundAndCycleTheirColours) {
    struct Case {
        int id;
        float angle;
        uint32_t colour;
    };
    for (const Case& c : {Case{66, 0, 0xff541d22}, Case{69, 54, 0xfff83d53}, Case{70, 72, 0xff541d22},
                          Case{85, 342, 0xfff83d53}, Case{95, 324, 0xffff3800}, Case{101, 300, 0xffff3800},
                          Case{131, 540, 0xffffdb75}, Case{135, 110, 0xff8d6df7}, Case{141, 0, 0xfb61e727},
                          Case{160, 342, 0xfff83d53}, Case{167, 360.0f / 7 * 6, 0xff966359}}) {
        const BeamSegmentDef* def = beamSegmentDef(c.id);
        ASSERT_NE(def, nullptr) << c.id;
        EXPECT_FLOAT_EQ(def->angle.from, c.angle) << c.id;
        EXPECT_EQ(def->angle.to, def->angle.from) << c.id;
        EXPECT_EQ(def->colour.from, c.colour) << c.id;
    }
}

TEST(BeamSegmentDef, LightningValuesKeepTheirWayOfVarying) {
    using Varying = Zelmo::VaryingValue<float>;
    const BeamSegmentDef* explosion = beamSegmentDef(60);
    ASSERT_NE(explosion, nullptr);
    EXPECT_TRUE(explosion->stretch) << "the one stretched lightning";
    EXPECT_EQ(explosion->easer, &Penner::Cubic::easeIn);
    EXPECT_EQ(explosion->boltCount.mode, Varying::kEased);
    EXPECT_EQ(explosion->boltEndRadius.min, -4.0f);
    EXPECT_EQ(beamSegmentDef(61)->boltEndRadius.min, 4.0f);

    const BeamSegmentDef* strike = beamSegmentDef(86);
    EXPECT_FALSE(strike->stretch);
    EXPECT_EQ(strike->boltDecay.mode, Varying::kEveryUpdate);
    EXPECT_EQ(strike->boltAmplitude.min, 500);
    EXPECT_EQ(strike->boltAmplitude.max, 100);

    const BeamSegmentDef* spark = beamSegmentDef(128);
    EXPECT_TRUE(spark->boltMirror);
    EXPECT_EQ(spark->boltAngleMin, -5);
    EXPECT_EQ(spark->boltAngleMax, 5);
    EXPECT_EQ(spark->boltStartRadius.mode, Varying::kEveryUpdate);
    EXPECT_EQ(spark->boltDecay.mode, Varying::kOnce);

    const BeamSegmentDef* chain = beamSegmentDef(136);
    EXPECT_TRUE(chain->mirror);
    EXPECT_FLOAT_EQ(chain->boltEndRadius.min, 230.0f * 1.333333f);
    EXPECT_EQ(beamSegmentDef(134)->boltEndRadius.min, 230.0f);

    const BeamSegmentDef* whip = beamSegmentDef(138);
    EXPECT_EQ(whip->offsetX.from, -20.0f);
    EXPECT_EQ(whip->boltThreshold.mode, Varying::kOnce);
    EXPECT_EQ(whip->boltMidpointScale.mode, Varying::kEveryUpdate);
}

TEST(BeamSegmentDef, FilledSegmentsAndMirroredOnes) {
    for (int id : {19, 20, 21, 23, 25, 26}) {
        ASSERT_NE(beamSegmentDef(id), nullptr) << id;
        EXPECT_TRUE(beamSegmentDef(id)->filled) << id;
    }
    for (int id : {21, 23, 25, 26, 32, 36, 41, 134}) {
        EXPECT_TRUE(beamSegmentDef(id)->mirror) << id;
    }
    EXPECT_EQ(beamSegmentDef(21)->polylines.size(), 2u);
    EXPECT_EQ(beamSegmentDef(20)->count.from, 4);
    EXPECT_EQ(beamSegmentDef(20)->count.to, 1);
    EXPECT_EQ(beamSegmentDef(20)->colour.to, 0x001f001fu);
}
