#include "tests/game/world/HandMaze.h"

#include <algorithm>
#include <string>
#include <unordered_map>

#include "engine/maze/Node.h"
#include "game/world/GameLogic.h"
#include "game/world/MotionComps.h"
#include "game/world/PlayerComps.h"
#include "game/world/RobotSteering.h"

namespace WorldTest {
namespace {

int maskAt(int x, int y) {
    const char c = kHandMaze[size_t(y)][size_t(x)];
    return c == '.' ? 0 : std::stoi(std::string(1, c), nullptr, 16);
}

long long cellKey(int x, int y) { return (long long)x << 32 | (unsigned)y; }

}  // namespace

std::ostream& operator<<(std::ostream& out, const HandCell& cell) {
    return out << "(" << cell.x << "," << cell.y << ")";
}

HandMaze::HandMaze() {
    harness.startLevel(kLevel);
    carve();
}

void HandMaze::carve() {
    Maze::Node* start = logic().mazeData().getStartNode();
    std::vector<Maze::Node*> nodes;
    Maze::collectNodes(start, nodes);
    std::unordered_map<long long, Maze::Node*> byCell;
    for (Maze::Node* node : nodes) byCell[cellKey(node->getPosition()[0], node->getPosition()[1])] = node;
    const int startX = start->getPosition()[0], startY = start->getPosition()[1];
    const int wide = logic().params().cellsWide, high = logic().params().cellsHigh;
    // A corner that keeps the hand maze inside the level and puts the flood's start on one of
    // its open cells.
    bool placed = false;
    for (int oy = std::max(0, startY - 4); oy <= std::min(startY, high - 5) && !placed; ++oy) {
        for (int ox = std::max(0, startX - 4); ox <= std::min(startX, wide - 5) && !placed; ++ox) {
            if (maskAt(startX - ox, startY - oy) == 0) continue;
            m_originX = ox;
            m_originY = oy;
            placed = true;
        }
    }
    ASSERT_TRUE(placed) << "no corner for the hand maze";
    static const int kIndexOf[4] = {0, 1, 2, 3};  // exit i is bit 1 << i
    static const int kReverse[4] = {1, 0, 3, 2};
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 5; ++x) {
            Maze::Node* node = byCell[cellKey(m_originX + x, m_originY + y)];
            ASSERT_NE(node, nullptr);
            for (int i : kIndexOf) {
                const bool open = (maskAt(x, y) & (1 << i)) != 0;
                node->setExitOpen(i, open);
                if (Maze::Node* next = node->getExit(i)) next->setExitOpen(kReverse[i], open);
            }
        }
    }
    logic().rebuildCorridors();
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 5; ++x) ASSERT_EQ(exits({x, y}), maskAt(x, y)) << HandCell{x, y};
    }
}

ecs::Entity HandMaze::robotAt(int type, const HandCell& cell, int lastDirection) {
    ecs::Entity robot = logic().createRobot(type, 0, 0);
    Zelmo::RobotComp& state = robot.get<Zelmo::RobotComp>();
    state.junctions.clear();
    state.lastDirection = lastDirection;
    place(robot, cell);
    return robot;
}

void HandMaze::place(const ecs::Entity& entity, const HandCell& cell) {
    int x = m_originX + cell.x, y = m_originY + cell.y;
    logic().cellToWorld(x, y, 0.0f, 0.0f);
    Zelmo::PVAComp& pva = entity.get<Zelmo::PVAComp>();
    pva.x = pva.nextX = float(x);
    pva.y = pva.nextY = float(y);
}

void HandMaze::layFootsteps(const std::vector<Footstep>& steps) {
    Zelmo::FootstepsComp& footsteps = logic().player().get<Zelmo::FootstepsComp>();
    for (const Footstep& step : steps) {
        footsteps.record({m_originX + step.cell.x, m_originY + step.cell.y, step.direction, logic().elapsed()});
    }
}

HandCell HandMaze::cellOf(const ecs::Entity& entity) {
    const Zelmo::PVAComp& pva = entity.get<Zelmo::PVAComp>();
    const Zelmo::RobotCell cell = Zelmo::cellOf(logic(), pva.x, pva.y);
    return {cell.x - m_originX, cell.y - m_originY};
}

std::vector<HandCell> HandMaze::walk(const ecs::Entity& robot, Zelmo::WalkMode mode, int times) {
    std::vector<HandCell> entered;
    Zelmo::RobotComp& state = robot.get<Zelmo::RobotComp>();
    for (int i = 0; i < times; ++i) {
        const HandCell here = cellOf(robot);
        const int targetBefore = state.targetTileX * 100000 + state.targetTileY;
        mode(logic(), robot, logic().exitCount(m_originX + here.x, m_originY + here.y) == 2);
        const int targetAfter = state.targetTileX * 100000 + state.targetTileY;
        const bool stopped = robot.get<Zelmo::PVAComp>().speed.to == 0.0f;
        if (stopped || targetAfter == targetBefore || state.lastDirection == 0) continue;
        const int d = state.lastDirection;
        const HandCell next{here.x + (d == 4) - (d == 8), here.y + (d == 2) - (d == 1)};
        place(robot, next);
        entered.push_back(next);
    }
    return entered;
}

}  // namespace WorldTest
