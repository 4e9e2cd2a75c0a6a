#include <gtest/gtest.h>

#include <map>

#include "engine/psys/System.h"
#include "engine/vector/GameVectors.h"
#include "game/config/SettingKeys.h"
#include "game/config/Settings.h"
#include "game/effects/ParticleSystems.h"
#include "game/world/DisplayComps.h"
#include "game/world/LifeComps.h"
#include "game/world/PlayerComps.h"
#include "tests/game/world/WorldHarness.h"

namespace {

using WorldTest::WorldHarness;
using Zelmo::GameLogic;

constexpr int kUnknownAction = 99;

class Timers : public ::testing::Test {
protected:
    void SetUp() override {
        harness.startLevel(2);
        entity = logic().createEntity();
        entity.add<Zelmo::PVAComp>();
        entity.activate();
    }
    GameLogic& logic() { return harness.logic(); }
    const Zelmo::TimerComp& timers() { return entity.get<Zelmo::TimerComp>(); }

    WorldHarness harness;
    ecs::Entity entity;
};

TEST_F(Timers, ASecondRunsOutInTheSixtiethUpdate) {
    Zelmo::scheduleAction(entity, kUnknownAction, 1000.0f);
    harness.step(59);
    ASSERT_EQ(timers().codes.size(), 1u);
    EXPECT_NEAR(timers().times[0], 1000.0f - 59 * WorldHarness::kStepMs, 1e-3f);
    harness.step();
    EXPECT_TRUE(timers().codes.empty());
    EXPECT_TRUE(timers().times.empty());
}

TEST_F(Timers, ATimerOfNoDelayNeverRuns) {
    Zelmo::scheduleAction(entity, Zelmo::kActionLoseLife, 0.0f);
    EXPECT_EQ(harness.step(200), "");
    EXPECT_EQ(timers().codes, std::vector<int32_t>{Zelmo::kActionLoseLife});
}

TEST_F(Timers, TimersEndingInOneUpdateAllRunAndLaterOnesWait) {
    Zelmo::VectorComp& vector = entity.add<Zelmo::VectorComp>();
    vector.shape = 22;
    vector.scale = 2.0f;
    Zelmo::scheduleAction(entity, kUnknownAction, 5000.0f);
    Zelmo::scheduleAction(entity, Zelmo::kActionGiveBoxes, 20.0f);
    Zelmo::scheduleAction(entity, Zelmo::kActionLoseLife, 30.0f);
    EXPECT_EQ(harness.step(), "");
    EXPECT_FALSE(entity.has<Zelmo::CBoxComp>());
    EXPECT_EQ(harness.step(), "DEAD") << "both ran in the second update";
    EXPECT_EQ(timers().codes, std::vector<int32_t>{kUnknownAction});
    const GameVectors& shapes = GameVectors::instance();
    ASSERT_TRUE(entity.has<Zelmo::CBoxComp>() && entity.has<Zelmo::HBoxComp>());
    EXPECT_EQ(static_cast<const IntBox&>(entity.get<Zelmo::CBoxComp>()), shapes.cbox(22, 2.0f));
    EXPECT_EQ(static_cast<const IntBox&>(entity.get<Zelmo::HBoxComp>()), shapes.hbox(22, 2.0f));
}

TEST_F(Timers, TheArmourEndsWithItsGlowAndHum) {
    const ecs::Entity player = logic().player();
    Zelmo::PlayerComp& state = player.get<Zelmo::PlayerComp>();
    state.armour.activate();
    state.armourVoice = 41;
    for (int32_t id : state.bodyEmitters) {
        Zelmo::particleSystem(Zelmo::kEffectsSystem)->findEmitter(id)->def.rate = 60;
    }
    harness.step();
    ASSERT_TRUE(state.armour.isActivated());
    Zelmo::scheduleAction(player, Zelmo::kActionArmourOff, 10.0f);
    harness.step();
    logic().world().refresh();
    EXPECT_FALSE(state.armour.isActivated());
    EXPECT_EQ(state.armourVoice, 0);
    EXPECT_EQ(harness.sound().stopped, std::vector<int>{41});
    for (int32_t id : state.bodyEmitters) {
        EXPECT_EQ(Zelmo::particleSystem(Zelmo::kEffectsSystem)->findEmitter(id)->def.rate, 0);
    }
}

// The camera follows the player and stays inside the map, whatever the zoom: the part of the
// map the screen shows reaches the map's edges, so the player is always on the screen.
class Camera : public ::testing::TestWithParam<int> {};

TEST_P(Camera, CentresOnThePlayerHeldInsideTheMap) {
    WorldHarness harness;
    Zelmo::setPref(Zelmo::Setting::kOptionPrefix + "GAME_ZOOM", std::to_string(GetParam()));
    harness.startLevel(1);
    GameLogic& logic = harness.logic();
    const Map::MapView& view = logic.mapView();
    const int tile = 1 << logic.params().tileShiftX;
    EXPECT_EQ(view.getViewWidth(), int(1024 * logic.zoom()) - tile);
    const int width = logic.tileMap().getWidth() * tile;
    const int height = logic.tileMap().getHeight() * tile;
    const float edge = 4.0f;  // the player's middle this far inside the map
    struct Case {
        float x, y;
        int cameraX, cameraY;
    };
    const Case cases[] = {
        {-100.0f, -50.0f, 0, 0},
        {float(width) + 500.0f, float(height) + 1.0f, width, height},
        {-1.0f, float(height), 0, height},
        {float(width) / 2 + 0.7f, float(height) / 2 + 0.2f, width / 2, height / 2},
        {edge, edge, int(edge), int(edge)},
        {float(width) - edge, float(height) - edge, width - int(edge), height - int(edge)},
    };
    Zelmo::PVAComp& player = logic.player().get<Zelmo::PVAComp>();
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << ", " << c.y);
        player.x = c.x;
        player.y = c.y;
        harness.step();
        const Zelmo::CameraComp& camera = logic.player().get<Zelmo::CameraComp>();
        EXPECT_EQ(camera.x, c.cameraX);
        EXPECT_EQ(camera.y, c.cameraY);
        // The view's corner is half a view before the camera, held where the shown part of the
        // window stays on the map.
        EXPECT_EQ(view.getX(), std::clamp(c.cameraX - view.getViewWidth() / 2, view.getMinX(), view.getMaxX()));
        EXPECT_EQ(view.getY(), std::clamp(c.cameraY - view.getViewHeight() / 2, view.getMinY(), view.getMaxY()));
        const IntBox shown = logic.view().cameraRect();
        EXPECT_GE(shown.x, 0);
        EXPECT_GE(shown.y, 0);
        EXPECT_LE(shown.x + shown.w, width);
        EXPECT_LE(shown.y + shown.h, height);
        EXPECT_TRUE(shown.x <= camera.x && camera.x <= shown.x + shown.w) << "the player is on the screen";
        EXPECT_TRUE(shown.y <= camera.y && camera.y <= shown.y + shown.h) << "the player is on the screen";
    }
}

INSTANTIATE_TEST_SUITE_P(Zooms, Camera, ::testing::Values(0, 2));

TEST(Footsteps, OnlyCellsWithAChoiceAreRecordedAsThePlayerLeavesThem) {
    WorldHarness harness;
    harness.startLevel(2);
    GameLogic& logic = harness.logic();
    Zelmo::PVAComp& player = logic.player().get<Zelmo::PVAComp>();
    Zelmo::FootstepsComp& footsteps = logic.player().get<Zelmo::FootstepsComp>();
    auto recorded = [&] {
        int n = 0;
        for (const auto& step : footsteps.steps) n += step.cellX >= 0;
        return n;
    };
    harness.step(100);
    EXPECT_EQ(recorded(), 0) << "standing still";

    // Walk cell by cell from a cell of the maze's corridors, never straight back unless at a dead end.
    int cx = 0, cy = 0;
    while (logic.exitsAt(cx, cy) == 0 || !logic.isFreeCell(cx, cy)) ++cx;
    int startX = cx, startY = cy;
    logic.cellToWorld(startX, startY, 0.0f, 0.0f);
    player.x = float(startX);
    player.y = float(startY);
    footsteps.cellX = cx;
    footsteps.cellY = cy;
    harness.step();
    std::map<std::pair<int, int>, std::pair<int, float>> expected;
    int cameFrom = 0;
    for (int move = 0; move < 60; ++move) {
        const int exits = logic.exitsAt(cx, cy);
        int bit = 0;
        for (int b : {4, 2, 8, 1}) {
            if ((exits & b) && b != cameFrom) bit = b;
        }
        if (bit == 0) bit = cameFrom;  // a dead end: back the way we came
        ASSERT_NE(bit, 0) << "a cell with no way out";
        const int nx = cx + (bit == 4) - (bit == 8), ny = cy + (bit == 2) - (bit == 1);
        if (logic.exitCount(cx, cy) != 2) expected[{cx, cy}] = {bit, logic.elapsed()};
        int x = nx, y = ny;
        logic.cellToWorld(x, y, 0.0f, 0.0f);
        player.x = float(x);
        player.y = float(y);
        harness.step();
        cameFrom = bit == 1 ? 2 : bit == 2 ? 1 : bit == 4 ? 8 : 4;
        cx = nx;
        cy = ny;
        EXPECT_EQ(footsteps.cellX, cx);
        EXPECT_EQ(footsteps.cellY, cy);
    }
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(recorded(), int(std::min<size_t>(expected.size(), 50)));
    for (const auto& [cell, step] : expected) {
        const Zelmo::FootstepsComp::Step* found = footsteps.find(cell.first, cell.second);
        if (expected.size() > 50 && !found) continue;
        ASSERT_NE(found, nullptr) << cell.first << ", " << cell.second;
        EXPECT_EQ(found->direction, step.first) << cell.first << ", " << cell.second;
        EXPECT_FLOAT_EQ(found->time, step.second) << cell.first << ", " << cell.second;
    }
}

}  // namespace
