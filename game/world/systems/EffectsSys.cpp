#include "game/world/systems/EffectsSys.h"

namespace Zelmo {

void EffectsSys::update(float dt) {
    for (const ecs::Entity& entity : std::vector<ecs::Entity>(entities())) {
        if (entity.has<FXsComp>()) entity.get<FXsComp>().advance(dt);
    }
}

}  // namespace Zelmo
