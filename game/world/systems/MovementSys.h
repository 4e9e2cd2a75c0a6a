#pragma once
#include <cstdint>
#include <vector>

#include "engine/ecs/System.h"
#include "engine/map/TileCollisionMap.h"
#include "game/world/MotionComps.h"

namespace Zelmo {

class GameLogic;

// Walks every moving entity along its heading in sub-steps of one collision sub-cell against the
// tile collision grid, sliding along walls where its probes allow. Entities with a collision box
// only get a proposed next position; the collision system decides whether they reach it.
class MovementSys : public ecs::System {
public:
    // What the world beyond the map reads as: a plain wall.
    static constexpr uint16_t kOutsideMap = 1;
    // Blocks robots only.
    static constexpr int kRobotBarrier = 5;
    static constexpr int kDoorRun = 4;

    MovementSys() : System(ecs::componentMask<PVAComp>()) {}

    void init(GameLogic& logic);
    void update(float dt);
    // The first blocking grid value under the probe points (x, y pairs relative to (x, y)),
    // remembering its point; 0 when every point is free.
    int probe(bool isRobot, int x, int y, const std::vector<float>& points);

    // The value that would stop a step of d along the heading, probed as such a step is (the axis
    // the heading's quadrant tries first, then the other); 0 when the step is free.
    int valueAhead(const ecs::Entity& entity, int heading, float d);

    int hitX() const { return m_hitX; }
    int hitY() const { return m_hitY; }

private:
    struct Point {
        float x;
        float y;
    };
    // Where a step of d along a heading leads, and the two points its probes try: A along the
    // axis the heading's quarter tries first, B along the other.
    struct StepPoints {
        Point to;
        Point a;
        Point b;
    };
    static StepPoints stepPoints(const PVAComp& pva, int heading, float d);

    void follow(const ecs::Entity& entity, PVAComp& pva);
    void move(const ecs::Entity& entity, PVAComp& pva);
    // One sub-step of length d with the probes; false when it did not move.
    bool probedStep(const ecs::Entity& entity, PVAComp& pva, float d, Point& candidate);
    void hitWall(const ecs::Entity& entity, PVAComp& pva);
    int valueAt(float px, float py) const;

    GameLogic* m_logic = nullptr;
    Map::TileCollisionMap* m_collision = nullptr;
    int m_subStep = 1;
    int m_hitX = 0;
    int m_hitY = 0;
};

}  // namespace Zelmo
