// The one-key, one-switch and head-tracker boxes lie along the window's edges, over the level's
// outer walls. Near the maze's edges the camera stops following, and the player walks towards
// the window's edge: wherever the player can stand on a shipped level, no box may lie over it.
// Boxes are placed in percent of the window and the camera's view fills the window at any size,
// so this holds at every window size.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/input/InputControllers.h"
#include "engine/input/ScreenAreaController.h"
#include "game/config/ConfigReaders.h"
#include "game/config/InputMethods.h"
#include "tests/game/world/PlayerAtMazeEdges.h"
#include "tests/game/world/SimulatedPlayer.h"

namespace {

using WorldTest::WindowRect;
using WorldTest::WorldHarness;

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
        for (const auto& [x, y] : WorldTest::placesAlongTheEdges(harness.logic())) {
            const WindowRect player = WorldTest::movePlayerInView(harness, x, y);
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
