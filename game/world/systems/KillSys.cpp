#include "game/world/systems/KillSys.h"

#include "game/world/GameLogic.h"

namespace Zelmo {

void KillSys::update(float) {
    const std::vector<ecs::Entity> doomed = entities();
    if (doomed.empty()) return;
    GameLogic* logic = owner<GameLogic>();
    for (ecs::Entity entity : doomed) {
        if (entity.has<SoundComp>()) {
            SoundComp& sound = entity.get<SoundComp>();
            if (sound.voice != 0 && logic) logic->stopSound(sound.voice);
            sound.voice = 0;
        }
        entity.kill();
    }
    world().refresh();
}

}  // namespace Zelmo
