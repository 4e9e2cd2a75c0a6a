// Beams in the fixture level: tracing through the collision grid and the hit boxes, the hits'
// flashes and damage, the end of a beam and what is queued for drawing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "game/effects/WeaponTable.h"
#include "game/world/FXsComp.h"
#include "game/world/LifeComps.h"
#include "game/world/PlayerComps.h"
#include "game/world/RobotComp.h"
#include "game/world/systems/BeamSys.h"
#include "tests/game/world/WorldHarness.h"

namespace {

using Zelmo::BeamComp;
using Zelmo::BeamSys;

constexpr int kFishType = 15;
constexpr int kBeamType = 1;

class Beams : public ::testing::Test {
protected:
    void SetUp() override {
        harness.startLevel(1);
        // Only the test's own beams: the level's chains and the like go.
        world().addSystem(beams);
        world().refresh();
        for (ecs::Entity entity : std::vector<ecs::Entity>(beams.entities())) {
            if (entity.has<Zelmo::FXsComp>()) entity.get<Zelmo::FXsComp>().removeTargetsOf(entity.get<BeamComp>());
            entity.remove<BeamComp>();
            entity.activate();
        }
        world().refresh();
        beams.init(
            &harness.logic(), [this](const IntBox& box) { return hitAt(box); },
            [this](const ecs::Entity& hurt, float damage) {
                damages += 1;
                hurt.get<Zelmo::PlayerComp>().health -= damage;
            });
        const Zelmo::PVAComp& player = harness.logic().player().get<Zelmo::PVAComp>();
        startX = player.x;
        startY = player.y;
        step = 1 << (harness.logic().params().tileShiftX - harness.logic().collisionMap().getSubShift());
    }

    ecs::World& world() { return harness.logic().world(); }

    // The stand-in hit-box grid: the target, where its box overlaps.
    ecs::Entity hitAt(const IntBox& box) const {
        if (!target.isValid()) return ecs::Entity();
        const IntBox& hit = targetBox;
        const bool overlaps =
            box.x <= hit.x + hit.w && hit.x <= box.x + box.w && box.y <= hit.y + hit.h && hit.y <= box.y + box.h;
        return overlaps ? target : ecs::Entity();
    }

    // A beam from (x, y) at the angle, grown by growth each update, with its type's timeline.
    ecs::Entity makeBeam(float x, float y, float angle, float growth, int type = kBeamType) {
        ecs::Entity entity = world().createEntity();
        Zelmo::PVAComp& pva = entity.add<Zelmo::PVAComp>();
        pva.x = x;
        pva.y = y;
        BeamComp& beam = entity.add<BeamComp>();
        beam.angle = angle;
        beam.growthStep = growth;
        beam.type = type;
        Zelmo::beamTimeline(type, beam.timeline);
        entity.activate();
        world().refresh();
        return entity;
    }

    uint16_t wallAt(float x, float y) {
        return harness.logic().collisionMap().valueAtPixel(int(std::nearbyint(x)), int(std::nearbyint(y)), 0xffff);
    }
    static bool blocks(uint16_t value) { return value != 0 && value != 5; }

    WorldTest::WorldHarness harness{WorldTest::kWorldFixture};
    BeamSys beams;
    ecs::Entity target;
    IntBox targetBox;
    float startX = 0;
    float startY = 0;
    int step = 0;
    int damages = 0;
};

TEST_F(Beams, GrowByTheirStepInTheOpenAndStopOneSubCellShortOfAWall) {
    ecs::Entity short_ = makeBeam(startX, startY, 90.0f, 10.0f);
    beams.update(16.0f);
    EXPECT_EQ(short_.get<BeamComp>().length, 10.0f) << "ends exactly at its target";
    beams.update(16.0f);
    EXPECT_EQ(short_.get<BeamComp>().length, 20.0f);

    for (float angle : {0.0f, 90.0f, 180.0f, 270.0f}) {
        ecs::Entity entity = makeBeam(startX, startY, angle, 2000.0f);
        beams.update(16.0f);
        const float length = entity.get<BeamComp>().length;
        SCOPED_TRACE("angle " + std::to_string(angle) + " length " + std::to_string(length));
        ASSERT_LT(length, 2000.0f);
        const double radians = (angle + 90.0) * 0.017453292;
        auto probe = [&](float d) {
            return wallAt(startX - float(std::cos(radians)) * d, startY + float(std::sin(radians)) * d);
        };
        EXPECT_TRUE(blocks(probe(length + float(step)))) << "the probe past the end meets the wall";
        for (float d = 0.0f; d <= length; d += float(step)) EXPECT_FALSE(blocks(probe(d))) << d;
    }
}

TEST_F(Beams, UntracedJumpsMovingRetracesAndWithoutGrowthNothingChanges) {
    ecs::Entity still = makeBeam(startX, startY, 90.0f, 0.0f);
    still.get<BeamComp>().length = 1234.0f;
    ecs::Entity jumping = makeBeam(startX, startY, 90.0f, 2000.0f);
    jumping.get<BeamComp>().trace = false;
    ecs::Entity moving = makeBeam(startX, startY, 90.0f, 1.0f);
    moving.get<BeamComp>().length = 1500.0f;
    moving.get<Zelmo::PVAComp>().moved = true;
    beams.update(16.0f);
    EXPECT_EQ(still.get<BeamComp>().length, 1234.0f);
    EXPECT_EQ(jumping.get<BeamComp>().length, 2000.0f) << "through the walls, unprobed";
    EXPECT_LT(moving.get<BeamComp>().length, 1500.0f) << "cut at the first wall from its origin";

    // An origin inside a wall: length 0, never below.
    float x = startX;
    while (!blocks(wallAt(x, startY))) x += 1.0f;
    ecs::Entity buried = makeBeam(x, startY, 90.0f, 100.0f);
    beams.update(16.0f);
    EXPECT_EQ(buried.get<BeamComp>().length, 0.0f);
}

TEST_F(Beams, AFishBeamStopsAtRobotsDamagingAndFlashingThem) {
    ecs::Entity fish = makeBeam(startX, startY, 90.0f, 40.0f);
    fish.add<Zelmo::RobotComp>().type = kFishType;
    target = world().createEntity();
    Zelmo::RobotComp& robot = target.add<Zelmo::RobotComp>();
    robot.health = 100.0f;
    robot.impactEmitter = 7;
    target.add<Zelmo::PVAComp>();
    target.add<Zelmo::VectorComp>();
    target.add<Zelmo::FXsComp>();
    targetBox = IntBox{int(startX) + 20, int(startY) - 5, 10, 10};
    world().refresh();

    beams.update(16.0f);
    EXPECT_LT(fish.get<BeamComp>().length, 20.0f);
    EXPECT_EQ(robot.health, 100.0f - Zelmo::beamDamage(kBeamType));
    EXPECT_EQ(robot.impactEmitter, 0);
    EXPECT_EQ(target.get<Zelmo::FXsComp>().floatChains.size(), 1u);
    EXPECT_EQ(target.get<Zelmo::FXsComp>().intChains.size(), 1u);

    robot.health = 1.0f;
    fish.get<BeamComp>().length = 0.0f;
    beams.update(16.0f);
    EXPECT_LE(robot.health, 0.0f);
    EXPECT_EQ(robot.knockBackSpeed, 3.0f);
    EXPECT_EQ(robot.knockBackAngle, 90);
    EXPECT_TRUE(target.has<Zelmo::KillComp>()) << "destroyed";
}

TEST_F(Beams, ARobotBeamStopsAtThePlayersShieldAndFlashesIt) {
    ecs::Entity beam = makeBeam(startX, startY, 90.0f, 40.0f);
    beam.add<Zelmo::RobotComp>();
    target = harness.logic().player().get<Zelmo::PlayerComp>().shield;
    targetBox = IntBox{int(startX) + 20, int(startY) - 5, 10, 10};
    beams.update(16.0f);
    EXPECT_LT(beam.get<BeamComp>().length, 20.0f);
    EXPECT_EQ(target.get<Zelmo::FXsComp>().floatChains.size(), 1u);
    EXPECT_NE(beam.get<Zelmo::RobotComp>().impactEmitter, 0) << "sparks where it hits";
}

TEST_F(Beams, ARobotBeamHurtsThePlayerAndAFatalOneEndsItOnce) {
    target = harness.logic().player();
    targetBox = IntBox{int(startX) + 20, int(startY) - 5, 10, 10};
    Zelmo::PlayerComp& player = target.get<Zelmo::PlayerComp>();
    const float full = player.health;
    makeBeam(startX, startY, 90.0f, 40.0f).add<Zelmo::RobotComp>();
    beams.update(16.0f);
    EXPECT_EQ(damages, 1);
    EXPECT_EQ(player.health, full - Zelmo::beamDamage(kBeamType));

    // Two beams in one update, the first fatal: one death, one burst.
    player.health = Zelmo::beamDamage(kBeamType);
    makeBeam(startX, startY, 90.0f, 40.0f).add<Zelmo::RobotComp>();
    const size_t before = world().entityCount();
    damages = 0;
    beams.update(16.0f);
    EXPECT_EQ(damages, 1);
    EXPECT_EQ(world().entityCount(), before + 1);
    Zelmo::VectorComp& vector = target.get<Zelmo::VectorComp>();
    bool shrinks = false;
    for (const Zelmo::FloatChain& chain : target.get<Zelmo::FXsComp>().floatChains) {
        shrinks = shrinks || (chain.target == &vector.scale && chain.steps.back().to == 0.1f);
    }
    EXPECT_TRUE(shrinks);
}

TEST_F(Beams, AnEndedBeamTakesItsEntityOrOnlyItselfAndIsNotDrawn) {
    ecs::Entity effect = makeBeam(startX, startY, 90.0f, 0.0f, 0);
    ecs::Entity robot = makeBeam(startX, startY, 90.0f, 0.0f, 0);
    robot.get<BeamComp>().killOwner = false;
    beams.update(16.0f);
    EXPECT_TRUE(effect.has<Zelmo::KillComp>());
    EXPECT_TRUE(robot.isValid());
    EXPECT_FALSE(robot.has<BeamComp>());
    EXPECT_TRUE(harness.logic().view().beamDraws().empty());
}

TEST_F(Beams, OnlyBeamsTheCameraSeesAreQueuedButEveryDrawnListIsEmptied) {
    const IntBox camera = harness.logic().view().cameraRect();
    ecs::Entity seen = makeBeam(startX, startY, 90.0f, 0.0f);
    ecs::Entity unseen = makeBeam(float(camera.x - 100000), startY, 90.0f, 0.0f);
    beams.update(16.0f);
    ASSERT_TRUE(seen.get<BeamComp>().timeline.active);
    ASSERT_EQ(harness.logic().view().beamDraws().size(), 1u);
    EXPECT_FALSE(harness.logic().view().beamDraws()[0].segments.empty());
    EXPECT_TRUE(seen.get<BeamComp>().segments.empty());
    EXPECT_TRUE(unseen.get<BeamComp>().segments.empty());

    const float bounds[4] = {-10, -10, 20, 20};
    EXPECT_TRUE(BeamSys::onScreen(camera.x - 10, camera.y, bounds, camera)) << "touching the left edge";
    EXPECT_FALSE(BeamSys::onScreen(camera.x - 11, camera.y, bounds, camera));
}

}  // namespace
