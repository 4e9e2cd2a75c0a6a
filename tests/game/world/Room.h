#pragma once
#include <vector>

#include "engine/ecs/System.h"
#include "game/world/MotionComps.h"
#include "tests/game/world/WorldHarness.h"

namespace WorldTest {

// A walled room carved into the smallest level, emptied of everything but the player (which
// stays at its start, outside the room), for scenes of walking, bumping and fighting.
// Tiles are 32 pixels and collision sub-cells 8. The room's floor is tiles 4 .. 15 across and
// down; its walls are tile 15 (solid).
class Room {
public:
    static constexpr int kTile = 32;
    static constexpr int kFirst = 4;
    static constexpr int kLast = 15;
    static constexpr int kSolid = 15;
    static constexpr int kRobotBarrier = 16;
    static constexpr int kDoor = 17;

    explicit Room(WorldHarness& harness, bool keepOthers = false);

    void setTile(int x, int y, int value);
    // World pixel of a tile's left or bottom edge.
    static float edge(int tile) { return float(tile * kTile); }
    static float middle() { return edge(kFirst + kLast + 1) / 2.0f; }

    enum class Kind { Player, Robot, Piece };
    // A walker with the player's probes (a player walker also has the player's state), or a
    // piece with no probes; with the player's boxes it goes only where the collision step lets it.
    ecs::Entity walker(Kind kind, float x, float y, int heading, float speed, bool withBox = false);

    // The farthest probe of the player's side from its position (up and right positive).
    static float reach(int side);
    // Whether any probe point of the walker stands on a value that stops it.
    bool probesBlocked(const ecs::Entity& walker);

private:
    struct Placed : ecs::System {
        Placed() : System(ecs::componentMask<Zelmo::PVAComp>()) {}
    };

    WorldHarness& m_harness;
};

}  // namespace WorldTest
