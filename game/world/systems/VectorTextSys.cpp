#include "game/world/systems/VectorTextSys.h"

#include "game/world/LifeComps.h"

namespace Zelmo {

void VectorTextSys::update(float dt) {
    GameView* view = owner<GameView>();
    if (!view) return;
    const std::vector<ecs::Entity> texts = entities();
    for (ecs::Entity entity : texts) {
        const TextComp& text = entity.get<TextComp>();
        VectorComp& vector = entity.get<VectorComp>();
        vector.screenX = int(float(double(text.x) * view->windowWidth() / 100.0));
        vector.screenY = int(float(double(text.y) * view->windowHeight() / 100.0));
        if (vector.lifetime != 0.0f) {
            vector.lifetime -= dt;
            if (vector.lifetime <= 0.0f) {
                if (!entity.has<KillComp>()) entity.add<KillComp>();
                entity.activate();
                continue;
            }
        }
        if (entity.has<VectorScopeComp>()) {
            VectorScopeComp& scope = entity.get<VectorScopeComp>();
            view->addTextDraw(vector, text.text, &scope.sweep);
            moveSweep(scope);
        } else {
            view->addTextDraw(vector, text.text, nullptr);
        }
    }
}

void VectorTextSys::moveSweep(VectorScopeComp& scope) {
    ScopeSweep& sweep = scope.sweep;
    const IntBox& box = scope.box;
    sweep.sweepX += scope.sweepSpeedX;
    if (sweep.sweepX <= float(box.x + box.w)) return;
    sweep.sweepX -= float(box.w);
    sweep.sweepY -= scope.sweepSpeedY;
    // A box without height has no band to wrap into.
    if (box.h <= 0) return;
    const float bandTop = float(box.y + box.h);
    if (sweep.sweepY >= bandTop) {
        while (sweep.sweepY >= bandTop) sweep.sweepY -= float(box.h);
        return;
    }
    while (sweep.sweepY <= float(box.y)) sweep.sweepY += float(box.h);
    if (sweep.sweepY >= bandTop) sweep.sweepY -= float(box.h);
}

}  // namespace Zelmo
