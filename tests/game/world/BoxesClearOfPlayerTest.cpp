// The one-key, one-switch and head-tracker boxes lie along the window's edges, over the level's
// outer walls. Near the maze's edges the camera stops following, and the player walks towards
// the window's edge: wherever the player can stand on a shipped level, no box may lie over it.
// Boxes are placed in percent of the window and the camera's view fills the window at any size,
// so this holds at every window size.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/input/InputControllers.h"
#include "engine/input/ScreenAreaController.h"
#include "game/config/ConfigReaders.h"
#include "game/config/InputMethods.h"
#include "game/world/MotionComps.h"
#include "tests/game/world/SimulatedPlayer.h"

namespace {

using WorldTest::WorldHarness;

// A rectangle in percent of the window, from its top-left corner.
struct WindowRect {
    float left, top, right, bottom;
    bool overlaps(const WindowRect& other) const {
        return left < other.right && other.left < right && top < other.bottom && other.top < bottom;
    }
};

struct NamedBox {
    std::string name;
    WindowRect rect;
};

// The boxes the method's game controls draw: every visible area but the whole-window one.
std::vector<NamedBox> drawnBoxes(WorldHarness& harness, const std::string& method) {
    std::vector<NamedBox> boxes;
    if (!WorldTest::loadGameControls(harness, method)) return boxes;
    const auto& areas = harness.context().inputControllers().find("GAME")->getScreenAreaController().getAreas();
    for (const auto& area : areas) {
        const Input::AreaRect r = area->getRect();
        if (!area->isVisible() || (r.width >= 100.0f && r.height >= 100.0f)) continue;
        boxes.push_back({area->getName(), {r.x, r.y, r.x + r.width, r.y + r.height}});
    }
    return boxes;
}

// Where the player's outline lies in the window with the player standing at (x, y) in the world
// and the camera following it as far as the level lets it.
WindowRect playerInWindow(WorldHarness& harness, float x, float y) {
    ecs::Entity player = harness.logic().player();
    Zelmo::PVAComp& pva = player.get<Zelmo::PVAComp>();
    pva.x = pva.nextX = x;
    pva.y = pva.nextY = y;
    harness.step();
    const Zelmo::PVAComp& at = player.get<Zelmo::PVAComp>();
    const IntBox& outline = player.get<Zelmo::BBoxComp>();
    const IntBox camera = harness.logic().view().cameraRect();
    const auto percentX = [&](float wx) { return 100.0f * (wx - float(camera.x)) / float(camera.w); };
    const auto percentY = [&](float wy) { return 100.0f * (wy - float(camera.y)) / float(camera.h); };
    return {percentX(at.x + float(outline.x)), percentY(at.y + float(outline.y)),
            percentX(at.x + float(outline.x + outline.w)), percentY(at.y + float(outline.y + outline.h))};
}

// The places nearest the maze's edges that the player can stand on: in each cell along the
// maze's border, as far towards the border as the cell's floor reaches, and in the corners.
std::vector<std::pair<float, float>> placesAlongTheEdges(const Zelmo::GameLogic& logic) {
    const int wide = logic.params().cellsWide;
    const int high = logic.params().cellsHigh;
    // Half a cell less the player's reach from its centre: the floor's edge, short of the wall.
    constexpr float kTowardsWall = 0.35f;
    std::vector<std::pair<float, float>> places;
    const auto add = [&](int cx, int cy, float fx, float fy) {
        int x = cx, y = cy;
        logic.cellToWorld(x, y, fx, fy);
        places.emplace_back(float(x), float(y));
    };
    for (int cx = 0; cx < wide; ++cx) {
        add(cx, 0, 0.0f, -kTowardsWall);
        add(cx, high - 1, 0.0f, kTowardsWall);
    }
    for (int cy = 0; cy < high; ++cy) {
        add(0, cy, -kTowardsWall, 0.0f);
        add(wide - 1, cy, kTowardsWall, 0.0f);
    }
    for (float fx : {-kTowardsWall, kTowardsWall}) {
        for (float fy : {-kTowardsWall, kTowardsWall}) {
            add(fx < 0 ? 0 : wide - 1, fy < 0 ? 0 : high - 1, fx, fy);
        }
    }
    return places;
}

TEST(BoxesClearOfPlayer, NoBoxLiesOverThePlayerAtTheMazesEdges) {
    WorldHarness harness("data/config", 1);
    std::vector<std::pair<std::string, std::vector<NamedBox>>> methods;
    for (const std::string& method : {Zelmo::kOneKeyMethod, Zelmo::kOneSwitchMethod, Zelmo::kHeadTrackerMethod}) {
        methods.emplace_back(method, drawnBoxes(harness, method));
        ASSERT_FALSE(methods.back().second.empty()) << method << "'s game controls";
    }
    for (int level = 0; level < Zelmo::levelCount(); ++level) {
        harness.startLevel(level);
        harness.leavePlayerAlone();
        for (const auto& [x, y] : placesAlongTheEdges(harness.logic())) {
            const WindowRect player = playerInWindow(harness, x, y);
            for (const auto& [method, boxes] : methods) {
                for (const NamedBox& box : boxes) {
                    EXPECT_FALSE(player.overlaps(box.rect))
                        << "level " << level << ", " << method << "'s " << box.name << " over the player at " << x
                        << ", " << y << " (" << player.left << "-" << player.right << " %, " << player.top << "-"
                        << player.bottom << " %)";
                }
            }
        }
    }
}

}  // namespace
