#pragma once
#include <vector>

#include "engine/ecs/System.h"
#include "engine/vector/ShapeGeometry.h"
#include "game/world/MotionComps.h"
#include "game/world/PlayerComps.h"

namespace Zelmo {

class GameLogic;
class MazeMapDisplaySys;

// The map terminals: wall consoles on closed walls, one by the start and at most one per region
// of the maze. The map is shown while the player stands still in a terminal's cell facing it.
class MazeMapSys : public ecs::System {
public:
    // A console on one side of a cell, in the maze's exit order: 0 faces cell y - 1, 1 cell
    // y + 1, 2 cell x + 1, 3 cell x - 1.
    struct Terminal {
        ecs::Entity entity;
        IntBox box;  // in world units
    };

    MazeMapSys() : System(ecs::componentMask<PlayerComp, PVAComp, CBoxComp>()) {}
    // Level start: places the terminals. With no regions across or down only the start has one.
    // terminalOffset pushes a console that far into its wall from the middle of the cell's edge.
    void init(GameLogic& logic, MazeMapDisplaySys& display, int regionsAcross, int regionsDown, int terminalOffset);
    void update(float dt);

    void addTerminal(int side, int cellX, int cellY);
    // In the order placed; a console whose box meets an earlier one is not here and opens nothing.
    const std::vector<Terminal>& terminals() const { return m_terminals; }

private:
    void placeTerminals();
    // Whether the map should show: standing still, facing a terminal of the player's own cell.
    bool atTerminal(const ecs::Entity& player) const;

    GameLogic* m_logic = nullptr;
    MazeMapDisplaySys* m_display = nullptr;
    int m_regionsAcross = 0;
    int m_regionsDown = 0;
    int m_terminalOffset = 8;
    std::vector<Terminal> m_terminals;
};

}  // namespace Zelmo
