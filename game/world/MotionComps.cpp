#include "game/world/MotionComps.h"

#include "engine/vector/GameVectors.h"

namespace Zelmo {

CollisionPointsComp::CollisionPointsComp(int shapeId, float scale) {
    for (int side = 0; side < 4; ++side) {
        probes[size_t(side)] = GameVectors::instance().probes(uint32_t(shapeId), side);
        for (float& coordinate : probes[size_t(side)]) coordinate *= scale;
    }
}

void addHitBoxes(const ecs::Entity& entity, int shapeId, float scale) {
    const GameVectors& shapes = GameVectors::instance();
    static_cast<IntBox&>(entity.add<CBoxComp>()) = shapes.cbox(uint32_t(shapeId), scale);
    static_cast<IntBox&>(entity.add<HBoxComp>()) = shapes.hbox(uint32_t(shapeId), scale);
}

void addShapeBoxes(const ecs::Entity& entity, int shapeId, float scale) {
    static_cast<IntBox&>(entity.add<BBoxComp>()) = GameVectors::instance().bbox(uint32_t(shapeId), scale);
    addHitBoxes(entity, shapeId, scale);
}

}  // namespace Zelmo
