#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "engine/psys/System.h"
#include "engine/vector/GameVectors.h"
#include "game/effects/ParticleSystems.h"
#include "game/vector/AnimId.h"
#include "game/world/CombatComps.h"
#include "game/world/DisplayComps.h"
#include "game/world/FXsComp.h"
#include "game/world/Heading.h"
#include "game/world/LifeComps.h"
#include "game/world/PlayerComps.h"
#include "game/world/RobotComp.h"
#include "tests/game/world/WorldHarness.h"

namespace {

using WorldTest::WorldHarness;
using Zelmo::GameLogic;

// The names of the components an entity carries, of those the factories hand out.
std::set<std::string> componentsOf(const ecs::Entity& e) {
    std::set<std::string> names;
    auto note = [&](bool has, const char* name) {
        if (has) names.insert(name);
    };
    note(e.has<Zelmo::PVAComp>(), "PVA");
    note(e.has<Zelmo::LinkedPVAComp>(), "LinkedPVA");
    note(e.has<Zelmo::CollisionPointsComp>(), "CollisionPoints");
    note(e.has<Zelmo::BBoxComp>(), "BBox");
    note(e.has<Zelmo::CBoxComp>(), "CBox");
    note(e.has<Zelmo::HBoxComp>(), "HBox");
    note(e.has<Zelmo::AnimationComp>(), "Animation");
    note(e.has<Zelmo::VectorComp>(), "Vector");
    note(e.has<Zelmo::PolyComp>(), "Poly");
    note(e.has<Zelmo::TextComp>(), "Text");
    note(e.has<Zelmo::VectorScopeComp>(), "VectorScope");
    note(e.has<Zelmo::MazeMapDisplayComp>(), "MazeMapDisplay");
    note(e.has<Zelmo::FXsComp>(), "FXs");
    note(e.has<Zelmo::ZappedComp>(), "Zapped");
    note(e.has<Zelmo::EmittersComp>(), "Emitters");
    note(e.has<Zelmo::BeamComp>(), "Beam");
    note(e.has<Zelmo::LightningComp>(), "Lightning");
    note(e.has<Zelmo::RobotComp>(), "Robot");
    note(e.has<Zelmo::KillComp>(), "Kill");
    return names;
}

class Factories : public ::testing::Test {
protected:
    void SetUp() override { harness.startLevel(2); }
    GameLogic& logic() { return harness.logic(); }
    // Created entities become visible to the systems at the next refresh.
    bool activated(const ecs::Entity& entity) {
        logic().world().refresh();
        return entity.isActivated();
    }

    WorldHarness harness;
};

TEST_F(Factories, EachMakesItsComponentsWithShapesTheDataHolds) {
    struct Case {
        const char* factory;
        std::function<ecs::Entity(GameLogic&)> make;
        std::set<std::string> components;
        bool activated;
    };
    const Case cases[] = {
        {"createEntity", [](GameLogic& g) { return g.createEntity(); }, {}, false},
        {"createAnimatedEntity with boxes",
         [](GameLogic& g) { return g.createAnimatedEntity(AnimIds::BOSS_NODE, true); },
         {"Animation", "Vector", "BBox", "CBox", "HBox", "PVA"},
         false},
        {"createAnimatedEntity",
         [](GameLogic& g) { return g.createAnimatedEntity(AnimIds::LIFT_NODE, false); },
         {"Animation", "Vector", "BBox", "PVA"},
         false},
        {"createMapNode",
         [](GameLogic& g) { return g.createMapNode(100, 200, AnimIds::MAP_NODE_E); },
         {"PVA", "Animation", "Vector", "BBox", "CBox", "MazeMapDisplay"},
         true},
        {"createFish",
         [](GameLogic& g) { return g.createFish(300, 300); },
         {"PVA", "Robot", "Animation", "Vector", "BBox", "CBox", "HBox", "MazeMapDisplay", "CollisionPoints", "FXs",
          "Zapped"},
         true},
        {"createText",
         [](GameLogic& g) { return g.createText(50, 50, "LEVEL 1", 0, true, 1, 0, false, false); },
         {"Text", "Vector"},
         true},
        {"createText scrolled",
         [](GameLogic& g) { return g.createText(10, 20, "RESCUED", 0, false, 2, 3000, true, true); },
         {"Text", "Vector", "VectorScope"},
         true},
        {"createDoorPiece",
         [](GameLogic& g) { return g.createDoorPiece(64, 64, 0, 90); },
         {"Poly", "PVA", "BBox", "CollisionPoints", "FXs"},
         true},
        {"createBeamEffect",
         [](GameLogic& g) { return g.createBeamEffect(12, 10, 10, 10, 110, 0, false); },
         {"PVA", "Beam"},
         true},
        {"createLightning",
         [](GameLogic& g) { return g.createLightning(1, 3, 2, 0, 0, 100, 50, false); },
         {"PVA", "BBox", "Poly"},
         false},
        {"createLightning with its component",
         [](GameLogic& g) { return g.createLightning(2, 1, 1, 0, 0, -60, 90, true); },
         {"PVA", "BBox", "Poly", "Lightning"},
         false},
        {"createLinkedLightning",
         [](GameLogic& g) { return g.createLinkedLightning(g.player(), 0, 80, 3, 2, 1, 0, 0, 40, 40); },
         {"PVA", "BBox", "Poly", "Lightning", "LinkedPVA"},
         false},
        {"fireBossBullet",
         [](GameLogic& g) { return g.fireBossBullet(200, 200); },
         {"PVA", "Robot", "Emitters", "Animation", "Vector", "BBox", "CBox", "HBox", "MazeMapDisplay", "FXs", "Zapped"},
         true},
    };
    const GameVectors& shapes = GameVectors::instance();
    for (const Case& c : cases) {
        const ecs::Entity entity = c.make(logic());
        EXPECT_EQ(componentsOf(entity), c.components) << c.factory;
        EXPECT_EQ(activated(entity), c.activated) << c.factory;
        if (entity.has<Zelmo::VectorComp>() && !entity.has<Zelmo::TextComp>()) {
            const int shape = entity.get<Zelmo::VectorComp>().shape;
            EXPECT_NE(shapes.shapeTable(uint32_t(shape), 0), nullptr) << c.factory << ": shape " << shape;
            EXPECT_GT(entity.get<Zelmo::BBoxComp>().w, 0) << c.factory << ": shape " << shape << " has no bounds";
        }
        if (entity.has<Zelmo::MazeMapDisplayComp>()) {
            const int shape = entity.get<Zelmo::MazeMapDisplayComp>().shape;
            EXPECT_NE(shapes.shapeTable(uint32_t(shape), 2), nullptr) << c.factory << ": minimap shape " << shape;
        }
    }
}

TEST(Heading, WholeDegreesFromUpClockwise) {
    struct Case {
        float u, v;
        int heading;
    };
    const Case cases[] = {{0, -1, 0},  {0, 1, 180},  {0, 0, 180},   {1, 0, 90},           {-1, 0, 270}, {1, -1, 45},
                          {1, 1, 135}, {-1, 1, 225}, {-1, -1, 315}, {-0.0001f, -1000, 0}, {2, -1, 63},  {3, -3, 45}};
    for (const Case& c : cases) EXPECT_EQ(Zelmo::headingOf(c.u, c.v), c.heading) << c.u << ", " << c.v;
}

TEST_F(Factories, ABeamPointsAtItsAimPointAndSoundsByItsType) {
    const ecs::Entity effect = logic().createBeamEffect(11, 100, 100, 200, 100, 0, true);
    const Zelmo::BeamComp& beam = effect.get<Zelmo::BeamComp>();
    EXPECT_EQ(beam.type, 11);
    EXPECT_FLOAT_EQ(beam.angle, 90.0f) << "toward +x";
    EXPECT_FALSE(beam.timeline.entries.empty());
    EXPECT_EQ(harness.sound().played.back(), 34);
    EXPECT_EQ(harness.sound().volumes.back(), 100);

    const size_t before = harness.sound().played.size();
    logic().createBeamEffect(8, 0, 0, 0, -10, 0, true);
    EXPECT_EQ(harness.sound().played.size(), before) << "beam 8 is silent";
}

TEST_F(Factories, ASecondBeamDropsTheChainsAimedIntoTheFirst) {
    ecs::Entity entity = logic().createBeamEffect(12, 0, 0, 0, 100, 0, false);
    Zelmo::FXsComp& effects = entity.add<Zelmo::FXsComp>();
    Zelmo::FloatChain chain;
    chain.target = &entity.get<Zelmo::BeamComp>().length;
    chain.steps.push_back({0.0f, 50.0f, 1000.0f});
    effects.setTweenChain(chain);
    float keep = 0.0f;
    chain.target = &keep;
    effects.setTweenChain(chain);

    logic().addBeam(11, entity, 0, 0, 100, 0, 0, false);
    ASSERT_EQ(effects.floatChains.size(), 1u);
    EXPECT_EQ(effects.floatChains[0].target, &keep);
    EXPECT_EQ(entity.get<Zelmo::BeamComp>().type, 11);
}

TEST_F(Factories, ShotsAreAimedAtTheirTargetWithinTheirSpread) {
    for (int definition : {9, 10, 11, 12}) {
        const int id = logic().fireParticles(100, 100, definition, 0, 10, 100, 10);
        ASSERT_NE(id, PSys::kNoEmitter) << definition;
        const PSys::ParticleDef& def = *Zelmo::particleSystem(Zelmo::kHostileSystem)->findEmitterDef(id);
        EXPECT_FLOAT_EQ(def.angle.min + def.angle.max, 360.0f) << "straight down, widened evenly: " << definition;
        EXPECT_LE(def.angle.max - def.angle.min, 2.0f * (def.aimSpread + 1.0f)) << definition;
    }
}

TEST_F(Factories, BossBulletsHeadForThePlayerAndTrailParticles) {
    const Zelmo::PVAComp& player = logic().player().get<Zelmo::PVAComp>();
    const ecs::Entity bullet = logic().fireBossBullet(int(player.x) + 300, int(player.y));
    const Zelmo::PVAComp& pva = bullet.get<Zelmo::PVAComp>();
    EXPECT_EQ(pva.heading, 270);
    EXPECT_EQ(pva.contactCounter, -60);
    EXPECT_EQ(bullet.get<Zelmo::RobotComp>().type, 16);
    for (const Zelmo::EmittersComp::Slot& slot : bullet.get<Zelmo::EmittersComp>().slots) {
        EXPECT_EQ(slot.system, Zelmo::kTrailSystem);
        const PSys::ParticleEmitter* emitter = Zelmo::particleSystem(slot.system)->findEmitter(slot.emitter);
        ASSERT_NE(emitter, nullptr);
        EXPECT_EQ(emitter->def.rate, 200);
        EXPECT_FLOAT_EQ(emitter->def.duration, 1000.0f);
    }
}

TEST_F(Factories, AStrikesBoxHoldsEveryPointOfItsBolts) {
    for (int strike = 1; strike <= 3; ++strike) {
        for (float endX : {-300.0f, 0.0f, 250.0f}) {
            const ecs::Entity bolt = logic().createLightning(strike, 3, 1, 0, 0, endX, -200, false);
            const Zelmo::BBoxComp& box = bolt.get<Zelmo::BBoxComp>();
            const Zelmo::PolyComp& poly = bolt.get<Zelmo::PolyComp>();
            ASSERT_EQ(poly.pointLists.size(), 3u);
            for (const std::vector<float>& points : poly.pointLists) {
                ASSERT_GE(points.size(), 4u);
                for (size_t i = 0; i + 1 < points.size(); i += 2) {
                    EXPECT_TRUE(points[i] >= float(box.x) && points[i] <= float(box.x + box.w) &&
                                points[i + 1] >= float(box.y) && points[i + 1] <= float(box.y + box.h))
                        << "strike " << strike << " point " << points[i] << ", " << points[i + 1];
                }
            }
            EXPECT_FALSE(poly.filled);
            EXPECT_NE(poly.colour, 0u);
        }
    }
}

TEST_F(Factories, StrikesSoundByTheirType) {
    harness.sound().played.clear();
    logic().createLightning(1, 1, 1, 0, 0, 10, 10, false);
    logic().createLightning(3, 1, 1, 0, 0, 10, 10, false);
    logic().createLightning(2, 1, 1, 0, 0, 10, 10, false);
    EXPECT_EQ(harness.sound().played, (std::vector<int>{35, 36})) << "strike 3 is silent";
}

TEST_F(Factories, ACentredTextIsCentredOnItsPlace) {
    const ecs::Entity text = logic().createText(50, 40, "PRISONERS LEFT 3", 0xffffffff, true, 1, 0, false, true);
    const Zelmo::VectorScopeComp& scope = text.get<Zelmo::VectorScopeComp>();
    const int middle = scope.box.x + scope.box.w / 2;
    EXPECT_NEAR(middle, 320, 2) << "half of the 640 pixel window";
    const ecs::Entity twice = logic().createText(50, 40, "PRISONERS LEFT 3", 0xffffffff, true, 2, 0, false, true);
    EXPECT_GT(twice.get<Zelmo::VectorScopeComp>().box.w, 3 * scope.box.w / 2) << "twice the scale";
    EXPECT_FLOAT_EQ(scope.sweep.sweepX, float(scope.box.x)) << "the sweep starts at the left edge";
    EXPECT_FLOAT_EQ(scope.sweepSpeedX, float(scope.box.w) / 10.0f);
    EXPECT_NEAR(text.get<Zelmo::TextComp>().x * 6.4f, float(text.get<Zelmo::VectorComp>().screenX), 0.01f);
}

TEST_F(Factories, DoorPiecesFadeAndTurnToTheirFinalAngleInASecond) {
    const ecs::Entity piece = logic().createDoorPiece(100, 100, 90, 270);
    const Zelmo::PolyComp& poly = piece.get<Zelmo::PolyComp>();
    EXPECT_EQ(poly.pointLists.size(), 1u);
    EXPECT_FLOAT_EQ(piece.get<Zelmo::PVAComp>().speed.to, 8.0f);
    harness.step(1000 / 16 + 1);
    EXPECT_FLOAT_EQ(poly.angle, 270.0f);
    EXPECT_EQ(poly.colour >> 24, 0u) << "faded out";
}

}  // namespace
