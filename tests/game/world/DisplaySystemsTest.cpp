// The systems that turn entity state into queued pictures: animation frames and their boxes,
// the camera test of shapes and polygons with their lifetimes, and the sweep of revealed texts.
#include <gtest/gtest.h>

#include "game/world/LifeComps.h"
#include "game/world/systems/AnimationSys.h"
#include "game/world/systems/PolyDisplaySys.h"
#include "game/world/systems/VectorDisplaySys.h"
#include "game/world/systems/VectorTextSys.h"
#include "tests/engine/vector/ShapeData.h"
#include "tests/game/world/WorldHarness.h"

namespace {

using Zelmo::AnimationComp;
using Zelmo::VectorComp;

// Shapes 1, 2 and 3 are squares of sides 10, 20 and 30. Animation 5 loops a 100 ms frame of
// shape 1 and a 0 ms frame of shape 2 at 45.7 degrees; animation 6 shows shape 1 for 50 ms and
// then hands over to animation 7, shape 3.
const std::string kAnimatedShapes = R"({ "sets": [{ "shapes": [)" + shape(1, "-5, -5, 5, -5, 5, 5, -5, 5, -5, -5") +
                                    ", " + shape(2, "-10, -10, 10, -10, 10, 10, -10, 10, -10, -10") + ", " +
                                    shape(3, "-15, -15, 15, -15, 15, 15, -15, 15, -15, -15") + R"(] }],
  "animations": [
    { "id": 5, "frames": [{ "shape": 1, "duration": 100 }, { "shape": 2, "duration": 0, "angle": 45.7 }] },
    { "id": 6, "next": 7, "frames": [{ "shape": 1, "duration": 50 }, { "shape": -1 }] },
    { "id": 7, "frames": [{ "shape": 3, "duration": 100 }] }
  ] })";

class Animation : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(loadData(library, folder, kAnimatedShapes));
        world.addSystem(system);
        entity = world.createEntity();
        entity.add<AnimationComp>().animation = 5;
        entity.add<VectorComp>().shape = 1;
        entity.add<Zelmo::BBoxComp>();
        entity.activate();
        world.refresh();
    }

    AnimationComp& animation() { return entity.get<AnimationComp>(); }
    VectorComp& vector() { return entity.get<VectorComp>(); }

    TempFolder folder;
    GameVectors library;
    ecs::World world;
    Zelmo::AnimationSys system{library};
    ecs::Entity entity;
};

TEST_F(Animation, HoldsAFrameForItsDurationThenShowsTheNextWithItsAngleAndBoxes) {
    system.update(60.0f);
    EXPECT_EQ(animation().frame, 0);
    EXPECT_EQ(animation().frameTime, 60);
    system.update(40.0f);
    EXPECT_EQ(animation().frame, 1);
    EXPECT_EQ(animation().frameTime, 0);
    EXPECT_EQ(vector().shape, 2);
    EXPECT_EQ(vector().angle, 45.0f);
    EXPECT_EQ(static_cast<IntBox&>(entity.get<Zelmo::BBoxComp>()), library.bbox(2, 1.0f));
    // A frame of 0 ms lasts one update; the last frame loops to the first.
    system.update(1.0f);
    EXPECT_EQ(animation().frame, 0);
    EXPECT_EQ(vector().shape, 1);
    EXPECT_EQ(static_cast<IntBox&>(entity.get<Zelmo::BBoxComp>()), library.bbox(1, 1.0f));
}

TEST_F(Animation, SpeedZeroHoldsUntilTheFrameIsAdvancedOnPurpose) {
    animation().speed = 0.0f;
    system.update(1000.0f);
    EXPECT_EQ(animation().frame, 0);
    animation().advanceNow = true;
    system.update(1.0f);
    EXPECT_EQ(animation().frame, 1);
    EXPECT_FALSE(animation().advanceNow);
}

TEST_F(Animation, AHandOverFrameContinuesWithTheFollowOnAnimationUnseen) {
    animation().animation = 6;
    system.update(50.0f);
    EXPECT_EQ(animation().animation, 7);
    EXPECT_EQ(animation().frame, 0);
    EXPECT_EQ(vector().shape, 3);
}

TEST_F(Animation, AMissingAnimationLeavesTheEntityAlone) {
    animation().animation = 99;
    vector().shape = 2;
    system.update(500.0f);
    EXPECT_EQ(vector().shape, 2);
    EXPECT_EQ(animation().frameTime, 0);
}

// The fixture level's world and game view, with display systems of the test's own.
class DisplaySystems : public ::testing::Test {
protected:
    void SetUp() override {
        harness.startLevel(1);
        world().addSystem(shapes);
        world().addSystem(polygons);
        world().addSystem(texts);
        shapes.init(&view(), nullptr);
        polygons.setOwner(&view());
        texts.setOwner(&view());
        camera = view().cameraRect();
    }

    ecs::World& world() { return harness.logic().world(); }
    Zelmo::GameView& view() { return harness.logic().view(); }

    // An entity with a 10 x 10 box from its position.
    template <typename Drawing>
    ecs::Entity place(int x, int y, float lifetime = 0.0f) {
        ecs::Entity entity = world().createEntity();
        Zelmo::PVAComp& pva = entity.add<Zelmo::PVAComp>();
        pva.x = float(x);
        pva.y = float(y);
        entity.add<Drawing>().lifetime = lifetime;
        static_cast<IntBox&>(entity.add<Zelmo::BBoxComp>()) = IntBox{0, 0, 10, 10};
        entity.activate();
        world().refresh();
        return entity;
    }

    int queuedShapesAt(int screenX) {
        int count = 0;
        for (const VectorComp& queued : view().shapeDraws()) count += queued.screenX == screenX;
        return count;
    }

    WorldTest::WorldHarness harness{WorldTest::kWorldFixture};
    Zelmo::VectorDisplaySys shapes;
    Zelmo::PolyDisplaySys polygons;
    Zelmo::VectorTextSys texts;
    IntBox camera;
};

TEST_F(DisplaySystems, ShapesTouchingTheCameraAreQueuedAtTheirScreenPlace) {
    struct Case {
        int x;
        int y;
        bool seen;
    };
    const std::vector<Case> cases = {
        {camera.x + 100, camera.y + 100, true},
        {camera.x - 10, camera.y + 100, true},  // its right edge on the camera's left edge
        {camera.x - 11, camera.y + 100, false},
        {camera.x + camera.w, camera.y + camera.h, true},
        {camera.x + camera.w + 1, camera.y, false},
        {camera.x, camera.y - 11, false},
    };
    for (const Case& c : cases) {
        view().clearDraws();
        ecs::Entity entity = place<VectorComp>(c.x, c.y);
        entity.get<Zelmo::PVAComp>().offScreenTime = 5.0f;
        shapes.update(16.0f);
        int sx = 0, sy = 0;
        view().worldToScreen(c.x, c.y, sx, sy);
        EXPECT_EQ(queuedShapesAt(sx), c.seen ? 1 : 0) << c.x << ", " << c.y;
        EXPECT_EQ(entity.get<Zelmo::PVAComp>().offScreenTime, c.seen ? 0.0f : 21.0f) << c.x << ", " << c.y;
        if (c.seen) {
            EXPECT_EQ(entity.get<VectorComp>().screenX, sx);
        }
        entity.kill();
        world().refresh();
    }
}

TEST_F(DisplaySystems, ASpentShapeIsMarkedForRemovalAndNotDrawnWhileASpentPolygonGoesAtOnce) {
    ecs::Entity shape = place<VectorComp>(camera.x + 100, camera.y + 100, 20.0f);
    ecs::Entity polygon = place<Zelmo::PolyComp>(camera.x + 100, camera.y + 100, 20.0f);
    int sx = 0, sy = 0;
    view().worldToScreen(camera.x + 100, camera.y + 100, sx, sy);
    shapes.update(16.0f);
    polygons.update(16.0f);
    EXPECT_EQ(queuedShapesAt(sx), 1);
    EXPECT_EQ(view().polyDraws().size(), 1u);
    view().clearDraws();
    shapes.update(16.0f);
    polygons.update(16.0f);
    EXPECT_EQ(queuedShapesAt(sx), 0);
    EXPECT_TRUE(view().polyDraws().empty());
    EXPECT_TRUE(shape.isValid());
    EXPECT_TRUE(shape.has<Zelmo::KillComp>());
    world().refresh();
    EXPECT_FALSE(polygon.isValid());
}

TEST_F(DisplaySystems, TextsArePlacedByPercentOfTheWindowWhateverTheCamera) {
    // Without the messages the level starts with, only this text is drawn.
    world().refresh();
    for (ecs::Entity message : std::vector<ecs::Entity>(harness.logic().textInfoSys().entities())) message.kill();
    ecs::Entity text = world().createEntity();
    Zelmo::TextComp& words = text.add<Zelmo::TextComp>();
    words.text = "AB";
    words.x = 50.0f;
    words.y = 25.0f;
    text.add<VectorComp>();
    text.activate();
    world().refresh();
    texts.update(16.0f);
    EXPECT_EQ(text.get<VectorComp>().screenX, 320);
    EXPECT_EQ(text.get<VectorComp>().screenY, 120);
    EXPECT_EQ(view().shapeDraws().size(), 2u);
}

TEST(TextSweep, MovesAcrossThenDownAndWrapsInsideItsBox) {
    struct Case {
        float x, y;                  // the sweep before the step
        float expectedX, expectedY;  // after it
    };
    // Box 10, 20, 100 x 40; steps of 30 across and 15 down.
    const std::vector<Case> cases = {
        {10, 60, 40, 60},   // across
        {90, 60, 20, 45},   // past the right edge: back and one line down
        {90, 25, 20, 50},   // below the band: up by its height
        {90, 80, 20, 25},   // still above the band after the step: down into it
        {80, 60, 110, 60},  // reaching the right edge is still inside
    };
    for (const Case& c : cases) {
        Zelmo::VectorScopeComp scope;
        scope.box = IntBox{10, 20, 100, 40};
        scope.sweepSpeedX = 30;
        scope.sweepSpeedY = 15;
        scope.sweep.sweepX = c.x;
        scope.sweep.sweepY = c.y;
        Zelmo::VectorTextSys::moveSweep(scope);
        EXPECT_EQ(scope.sweep.sweepX, c.expectedX) << c.x << ", " << c.y;
        EXPECT_EQ(scope.sweep.sweepY, c.expectedY) << c.x << ", " << c.y;
    }
}

}  // namespace
