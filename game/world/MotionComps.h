#pragma once
#include <array>
#include <cstdint>
#include <vector>

#include "engine/ecs/Entity.h"
#include "engine/vector/ShapeGeometry.h"
#include "game/world/TweenChain.h"

namespace Zelmo {

// Position, motion and collision state of a moving or placed entity. Positions are world
// pixels, +y up; headings whole degrees, 0 along +y, 90 along +x.
struct PVAComp {
    float x = 0.0f;
    float y = 0.0f;
    float nextX = 0.0f;  // where the movement step would put it this update
    float nextY = 0.0f;
    bool moved = false;
    int32_t heading = 0;
    FloatStep speed{0.0f, 0.0f, 1.0f};  // pixels per update, eased
    float offScreenTime = -1.0f;        // ms
    int32_t collisionValue = 0;         // the wall's grid value, -1 for a robot, 0 for nothing
    int32_t contactCounter = 0;         // negative: passes through others until free
    int32_t blockedCount = 0;
};

// Makes an entity follow another at an offset.
struct LinkedPVAComp {
    ecs::Entity source;
    int32_t dx = 0;
    int32_t dy = 0;
};

// Wall probes, x and y alternating, relative to the position: sides up (+y), down, left, right.
struct CollisionPointsComp {
    CollisionPointsComp() = default;
    // The shape's probes from the shape library, scaled.
    CollisionPointsComp(int shapeId, float scale);

    bool slide = true;  // a blocked diagonal step may slide along one axis
    std::array<std::vector<float>, 4> probes;
};

// Relative to the position: the drawing bounds, the box that collides with other entities and
// the box that beams, lightning and hostile particles hit.
struct BBoxComp : IntBox {};
struct CBoxComp : IntBox {};
struct HBoxComp : IntBox {};

// Adds the three boxes of a shape of set 0 at a scale.
void addShapeBoxes(const ecs::Entity& entity, int shapeId, float scale);
// Adds or replaces the collision and hit boxes only.
void addHitBoxes(const ecs::Entity& entity, int shapeId, float scale);

}  // namespace Zelmo
