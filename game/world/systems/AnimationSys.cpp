#include "game/world/systems/AnimationSys.h"

#include "data/VectorGraphics_generated.h"
#include "game/world/MotionComps.h"

namespace Zelmo {

void AnimationSys::update(float dt) {
    const std::vector<ecs::Entity> animated = entities();
    for (const ecs::Entity& entity : animated) animate(entity, dt);
}

// A frame whose shape is -1 hands over to the follow-on animation and is never shown itself.
void AnimationSys::animate(const ecs::Entity& entity, float dt) {
    AnimationComp& animation = entity.get<AnimationComp>();
    const Vector::AnimationDef* def = m_library.animation(uint32_t(animation.animation));
    if (!def || !def->frames() || def->frames()->size() == 0) return;
    const auto frameCount = int(def->frames()->size());
    if (animation.frame < 0 || animation.frame >= frameCount) animation.frame = 0;

    animation.frameTime = int(float(animation.frameTime) + dt);
    const float duration = float(def->frames()->Get(flatbuffers::uoffset_t(animation.frame))->duration());
    if (animation.advanceNow || float(animation.frameTime) * animation.speed >= duration) {
        animation.frame += 1;
        animation.advanceNow = false;
        animation.frameTime = 0;
        if (animation.frame >= frameCount) {
            animation.frame = 0;
        } else if (def->frames()->Get(flatbuffers::uoffset_t(animation.frame))->shape() == -1) {
            const Vector::AnimationDef* next = m_library.animation(def->next());
            if (!next || !next->frames() || next->frames()->size() == 0) return;
            animation.animation = int32_t(def->next());
            animation.frame = 0;
            def = next;
        }
    }

    const Vector::AnimationFrame* frame = def->frames()->Get(flatbuffers::uoffset_t(animation.frame));
    VectorComp& vector = entity.get<VectorComp>();
    const int32_t oldShape = vector.shape;
    vector.shape = frame->shape();
    vector.angle = float(int(frame->angle()));
    if (vector.shape == oldShape) return;
    const auto shape = uint32_t(vector.shape);
    if (entity.has<BBoxComp>()) static_cast<IntBox&>(entity.get<BBoxComp>()) = m_library.bbox(shape, vector.scale);
    if (entity.has<CBoxComp>()) static_cast<IntBox&>(entity.get<CBoxComp>()) = m_library.cbox(shape, vector.scale);
    if (entity.has<HBoxComp>()) static_cast<IntBox&>(entity.get<HBoxComp>()) = m_library.hbox(shape, vector.scale);
}

}  // namespace Zelmo
