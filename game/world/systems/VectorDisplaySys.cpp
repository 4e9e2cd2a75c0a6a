#include "game/world/systems/VectorDisplaySys.h"

#include "game/world/LifeComps.h"
#include "game/world/systems/OnScreen.h"

namespace Zelmo {

void VectorDisplaySys::init(GameView* view, Sound::SoundController* sound) {
    m_view = view;
    m_sound = sound;
}

void VectorDisplaySys::update(float dt) {
    if (!m_view) return;
    m_camera = m_view->cameraRect();
    const std::vector<ecs::Entity> shown = entities();
    for (ecs::Entity entity : shown) {
        PVAComp& pva = entity.get<PVAComp>();
        VectorComp& vector = entity.get<VectorComp>();
        if (vector.lifetime != 0.0f) {
            vector.lifetime -= dt;
            if (vector.lifetime <= 0.0f) {
                if (!entity.has<KillComp>()) entity.add<KillComp>();
                entity.activate();
                offScreen(entity, pva, dt);
                continue;
            }
        }
        const int x = int(pva.x), y = int(pva.y);
        if (!onScreen(m_camera, x, y, entity.get<BBoxComp>())) {
            offScreen(entity, pva, dt);
            continue;
        }
        m_view->worldToScreen(x, y, vector.screenX, vector.screenY);
        m_view->addVectorDraw(vector);
        pva.offScreenTime = 0.0f;
        if (entity.has<SoundComp>() && m_sound) {
            SoundComp& sound = entity.get<SoundComp>();
            if (sound.voice == 0 && sound.sound != 0) sound.voice = m_sound->play(sound.sound, 100, 0.0f);
        }
    }
}

void VectorDisplaySys::forgetVoices() {
    for (const ecs::Entity& entity : entities()) {
        if (entity.has<SoundComp>()) entity.get<SoundComp>().voice = 0;
    }
}

void VectorDisplaySys::offScreen(const ecs::Entity& entity, PVAComp& pva, float dt) {
    pva.offScreenTime += dt;
    if (!entity.has<SoundComp>()) return;
    SoundComp& sound = entity.get<SoundComp>();
    if (sound.voice != 0 && pva.offScreenTime > sound.stopDelay) {
        if (m_sound) m_sound->stop(sound.voice);
        sound.voice = 0;
    }
}

}  // namespace Zelmo
