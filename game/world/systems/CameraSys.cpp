#include "game/world/systems/CameraSys.h"

#include <algorithm>

namespace Zelmo {

void CameraSys::update(float) {
    if (!m_view) return;
    const Map::TileMap& map = m_view->getMap();
    const float width = float(map.getWidth() << map.getTileShiftX());
    const float height = float(map.getHeight() << map.getTileShiftY());
    for (const ecs::Entity& entity : std::vector<ecs::Entity>(entities())) {
        const PVAComp& pva = entity.get<PVAComp>();
        const float x = pva.x < 0.0f ? 0.0f : std::min(pva.x, width);
        const float y = pva.y < 0.0f ? 0.0f : std::min(pva.y, height);
        CameraComp& camera = entity.get<CameraComp>();
        camera.x = int(x);
        camera.y = int(y);
        m_view->scrollTo(camera.x, camera.y, true);
    }
}

}  // namespace Zelmo
