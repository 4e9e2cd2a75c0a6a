#pragma once
#include "engine/ecs/System.h"
#include "engine/sound/SoundController.h"
#include "game/world/DisplayComps.h"
#include "game/world/GameView.h"
#include "game/world/MotionComps.h"

namespace Zelmo {

// Counts down the lives of shape entities and queues the ones the camera sees on the game view;
// starts an entity's looping sound as it comes into view and stops it once it has been out of
// view for its stop delay.
class VectorDisplaySys : public ecs::System {
public:
    VectorDisplaySys() : System(ecs::componentMask<PVAComp, VectorComp, BBoxComp>()) {}
    void init(GameView* view, Sound::SoundController* sound);
    void update(float dt);
    // Every voice was stopped from outside (the pause): the handles go, and the looping sounds
    // of the entities on screen start again at the next update.
    void forgetVoices();

private:
    void offScreen(const ecs::Entity& entity, PVAComp& pva, float dt);

    GameView* m_view = nullptr;
    Sound::SoundController* m_sound = nullptr;
    IntBox m_camera;
};

}  // namespace Zelmo
