#include "tests/game/world/PlayerAtMazeEdges.h"

#include "game/world/MotionComps.h"

namespace WorldTest {
namespace {

// Half a cell less the player's reach from its centre: the floor's edge, short of the wall.
constexpr float kTowardsWall = 0.35f;

std::pair<float, float> worldPlace(const Zelmo::GameLogic& logic, int cx, int cy, float fx, float fy) {
    logic.cellToWorld(cx, cy, fx, fy);
    return {float(cx), float(cy)};
}

}  // namespace

WindowRect movePlayerInView(WorldHarness& harness, float x, float y) {
    ecs::Entity player = harness.logic().player();
    Zelmo::PVAComp& pva = player.get<Zelmo::PVAComp>();
    pva.x = pva.nextX = x;
    pva.y = pva.nextY = y;
    harness.step();
    const Zelmo::PVAComp& at = player.get<Zelmo::PVAComp>();
    const IntBox& outline = player.get<Zelmo::BBoxComp>();
    const IntBox camera = harness.logic().view().cameraRect();
    const auto percentX = [&](float wx) { return 100.0f * (wx - float(camera.x)) / float(camera.w); };
    // The world's y grows up the window; the window's percent grow down it.
    const auto percentY = [&](float wy) { return 100.0f - 100.0f * (wy - float(camera.y)) / float(camera.h); };
    return {percentX(at.x + float(outline.x)), percentY(at.y + float(outline.y + outline.h)),
            percentX(at.x + float(outline.x + outline.w)), percentY(at.y + float(outline.y))};
}

std::vector<std::pair<float, float>> placesAlongTheEdges(const Zelmo::GameLogic& logic) {
    const int wide = logic.params().cellsWide;
    const int high = logic.params().cellsHigh;
    std::vector<std::pair<float, float>> places;
    for (int cx = 0; cx < wide; ++cx) {
        places.push_back(worldPlace(logic, cx, 0, 0.0f, -kTowardsWall));
        places.push_back(worldPlace(logic, cx, high - 1, 0.0f, kTowardsWall));
    }
    for (int cy = 0; cy < high; ++cy) {
        places.push_back(worldPlace(logic, 0, cy, -kTowardsWall, 0.0f));
        places.push_back(worldPlace(logic, wide - 1, cy, kTowardsWall, 0.0f));
    }
    const std::vector<std::pair<float, float>> corners = oppositeCorners(logic);
    places.insert(places.end(), corners.begin(), corners.end());
    places.push_back(worldPlace(logic, wide - 1, 0, kTowardsWall, -kTowardsWall));
    places.push_back(worldPlace(logic, 0, high - 1, -kTowardsWall, kTowardsWall));
    return places;
}

std::vector<std::pair<float, float>> oppositeCorners(const Zelmo::GameLogic& logic) {
    const int wide = logic.params().cellsWide;
    const int high = logic.params().cellsHigh;
    return {worldPlace(logic, 0, 0, -kTowardsWall, -kTowardsWall),
            worldPlace(logic, wide - 1, high - 1, kTowardsWall, kTowardsWall)};
}

}  // namespace WorldTest
