#pragma once
#include "engine/ecs/System.h"
#include "engine/map/MapView.h"
#include "game/world/LifeComps.h"
#include "game/world/MotionComps.h"

namespace Zelmo {

// Keeps the map view centred on the entity with the camera (the player), the point held
// inside the map.
class CameraSys : public ecs::System {
public:
    CameraSys() : System(ecs::componentMask<CameraComp, PVAComp>()) {}
    void setView(Map::MapView* view) { m_view = view; }
    void update(float dt);

private:
    Map::MapView* m_view = nullptr;
};

}  // namespace Zelmo
