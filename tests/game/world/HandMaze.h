#pragma once
#include <gtest/gtest.h>

#include <array>
#include <ostream>
#include <vector>

#include "game/world/RobotComp.h"
#include "tests/game/world/WorldHarness.h"

namespace WorldTest {

// Exit bits per cell (1 up, 2 down, 4 right, 8 left; '.' no passage):
//
//   (0,0)-(1,0)-(2,0)-(3,0)-(4,0)        a loop on the left, the T (2,0) with a short dead end
//     |           |                      to the right, the junction (2,1) with a corridor that
//   (0,1)       (2,1)-(3,1)              bends down, right and down again into the dead end
//     |           |     |                (4,3), and the junction (2,2) with the dead end (2,3)
//   (0,2)-(1,2)-(2,2) (3,2)-(4,2)
//                 |           |
//               (2,3)       (4,3)
inline constexpr std::array<const char*, 5> kHandMaze = {
    "6CEC8", "3.7A.", "5CB5A", "..1.1", ".....",
};

struct HandCell {
    int x = 0;
    int y = 0;
    friend bool operator==(const HandCell& a, const HandCell& b) { return a.x == b.x && a.y == b.y; }
};

std::ostream& operator<<(std::ostream& out, const HandCell& cell);

// The smallest shipped level with the hand maze carved where the maze's flood starts, so that the
// corridor index reaches it; cells are given relative to the hand maze's corner. Only the maze's
// exits are carved: the level's tiles, and with them walls for movement and sight, stay as built.
class HandMaze : public ::testing::Test {
protected:
    static constexpr int kLevel = 8;

    HandMaze();

    Zelmo::GameLogic& logic() { return harness.logic(); }
    int exits(const HandCell& cell) { return logic().exitsAt(m_originX + cell.x, m_originY + cell.y); }

    // A robot of the kind standing in the cell's centre, having last gone that way, with no
    // junctions remembered.
    ecs::Entity robotAt(int type, const HandCell& cell, int lastDirection);
    void place(const ecs::Entity& entity, const HandCell& cell);
    HandCell cellOf(const ecs::Entity& entity);

    struct Footstep {
        HandCell cell;
        int direction;
    };
    // Fresh footsteps of the player, each leaving its cell the way given.
    void layFootsteps(const std::vector<Footstep>& steps);

    // Runs the walk decisions times; after each the robot stands in the cell it was steered to (a
    // robot stopped goes nowhere). The cells it entered, in order.
    std::vector<HandCell> walk(const ecs::Entity& robot, Zelmo::WalkMode mode, int times);

    WorldHarness harness;
    int m_originX = 0;
    int m_originY = 0;

private:
    void carve();
};

}  // namespace WorldTest
