// The zapped look: arcs laid along every outline line of a zapped entity while its time runs.
#include <gtest/gtest.h>

#include "data/VectorGraphics_generated.h"
#include "game/world/LifeComps.h"
#include "game/world/systems/ZappedSys.h"
#include "tests/game/world/WorldHarness.h"

namespace {

using Zelmo::ZappedComp;

constexpr int kPlayerKind = 3;

// Every polygon entity, which is what an arc is.
struct Polygons : ecs::System {
    Polygons() : System(ecs::componentMask<Zelmo::PVAComp, Zelmo::PolyComp>()) {}
};

class Zapped : public ::testing::Test {
protected:
    void SetUp() override {
        harness.startLevel(1);
        world().addSystem(zapped);
        world().addSystem(polygons);
        zapped.setOwner(&harness.logic());
        world().refresh();
    }

    ecs::World& world() { return harness.logic().world(); }
    ecs::Entity player() { return harness.logic().player(); }
    size_t arcs() {
        world().refresh();
        return polygons.entities().size();
    }

    // Segments of the player's outline: one arc each.
    size_t outlineSegments() {
        const Zelmo::VectorComp& vector = player().get<Zelmo::VectorComp>();
        const Vector::ShapeDef* shape = GameVectors::instance().shapeTable(uint32_t(vector.shape), vector.shapeSet);
        size_t count = 0;
        for (const Vector::Polyline* line : *shape->graphic()->outline()) count += line->points()->size() / 2 - 1;
        return count;
    }

    WorldTest::WorldHarness harness{WorldTest::kWorldFixture};
    Zelmo::ZappedSys zapped;
    Polygons polygons;
};

TEST_F(Zapped, LaysOneArcPerOutlineSegmentUntilItsTimeRunsOut) {
    ZappedComp& zap = player().get<ZappedComp>();
    zap.kind = kPlayerKind;
    zap.factorTo = zap.factorFrom;
    zap.remaining = 20.0f;
    const size_t before = arcs();
    zapped.update(16.0f);
    const size_t perUpdate = arcs() - before;
    EXPECT_EQ(perUpdate, outlineSegments());
    EXPECT_EQ(zap.remaining, 4.0f);
    zapped.update(16.0f);
    EXPECT_EQ(zap.remaining, 0.0f);
    EXPECT_EQ(arcs() - before, 2 * perUpdate) << "still laid in the update that ends the time";
    zapped.update(16.0f);
    EXPECT_EQ(arcs() - before, 2 * perUpdate);
}

TEST_F(Zapped, AKindWithoutLightningOnlyCountsDown) {
    ZappedComp& zap = player().get<ZappedComp>();
    zap.kind = 99;
    zap.remaining = 20.0f;
    const size_t before = arcs();
    zapped.update(16.0f);
    EXPECT_EQ(arcs(), before);
    EXPECT_EQ(zap.remaining, 4.0f);
}

TEST_F(Zapped, PointListsArcBetweenNeighboursTurnedAndScaled) {
    struct Case {
        std::vector<float> points;
        size_t arcs;
    };
    const std::vector<Case> cases = {
        {{0, 0, 10, 0, 10, 10}, 2},
        {{0, 0, 10, 0, 10}, 1},  // a trailing odd value is ignored
        {{0, 0, 10}, 0},
        {{}, 0},
    };
    for (const Case& c : cases) {
        const size_t before = arcs();
        zapped.arcPointList(kPlayerKind, c.points, 100.0f, 200.0f, 1.0f, 0.0f, 2.0f);
        EXPECT_EQ(arcs() - before, c.arcs) << c.points.size() << " values";
    }
    // A quarter turn: (10, 0) scaled by 2 lands at (0, 20) from the place.
    const size_t before = arcs();
    zapped.arcPointList(kPlayerKind, {10, 0, 0, 0}, 100.0f, 200.0f, 0.0f, 1.0f, 2.0f);
    ASSERT_EQ(arcs() - before, 1u);
    const Zelmo::PVAComp& start = polygons.entities().back().get<Zelmo::PVAComp>();
    EXPECT_FLOAT_EQ(start.x, 100.0f);
    EXPECT_FLOAT_EQ(start.y, 220.0f);
}

}  // namespace
