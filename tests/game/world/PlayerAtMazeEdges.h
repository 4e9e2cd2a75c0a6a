#pragma once
#include <string>
#include <utility>
#include <vector>

#include "tests/game/world/WorldHarness.h"

namespace WorldTest {

// A rectangle in percent of the window, from its top-left corner. The camera's view fills the
// window at any size, and the input areas are placed in these units too.
struct WindowRect {
    float left, top, right, bottom;
    bool overlaps(const WindowRect& other) const {
        return left < other.right && other.left < right && top < other.bottom && other.top < bottom;
    }
};

// Moves the player to (x, y) in the world and runs an update, so that the camera follows it as
// far as the level lets it; gives where the player's outline then lies in the window.
WindowRect movePlayerInView(WorldHarness& harness, float x, float y);

// The places nearest the maze's edges that the player can stand on: in each cell along the
// maze's border, as far towards the border as the cell's floor reaches.
std::vector<std::pair<float, float>> placesAlongTheEdges(const Zelmo::GameLogic& logic);

// The two of them in opposite corners (top left, bottom right), which lie at all four edges.
std::vector<std::pair<float, float>> oppositeCorners(const Zelmo::GameLogic& logic);

}  // namespace WorldTest
