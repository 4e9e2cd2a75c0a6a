#include "game/world/systems/PolyDisplaySys.h"

#include "game/world/systems/OnScreen.h"

namespace Zelmo {

void PolyDisplaySys::update(float dt) {
    GameView* view = owner<GameView>();
    if (!view) return;
    const IntBox camera = view->cameraRect();
    const std::vector<ecs::Entity> shown = entities();
    for (ecs::Entity entity : shown) {
        PolyComp& poly = entity.get<PolyComp>();
        if (poly.lifetime != 0.0f) {
            poly.lifetime -= dt;
            if (poly.lifetime <= 0.0f) {
                entity.kill();
                continue;
            }
        }
        const PVAComp& pva = entity.get<PVAComp>();
        const int x = int(pva.x), y = int(pva.y);
        if (!onScreen(camera, x, y, entity.get<BBoxComp>())) continue;
        view->worldToScreen(x, y, poly.x, poly.y);
        view->addPolyDraw(poly);
    }
}

}  // namespace Zelmo
