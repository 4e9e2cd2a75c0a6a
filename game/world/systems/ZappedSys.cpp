#include "game/world/systems/ZappedSys.h"

#include <algorithm>
#include <cmath>

#include "data/VectorGraphics_generated.h"
#include "engine/vector/GameVectors.h"
#include "game/effects/LightningDef.h"
#include "game/vector/PolyComp.h"
#include "game/world/GameLogic.h"

namespace Zelmo {
namespace {

constexpr double kRadiansPerDegree = 0.017453292;

}  // namespace

void ZappedSys::update(float dt) {
    GameLogic* logic = owner<GameLogic>();
    if (!logic) return;
    const GameVectors& library = GameVectors::instance();
    const std::vector<ecs::Entity> zapped = entities();
    for (const ecs::Entity& entity : zapped) {
        if (!entity.isValid() || !entity.has<ZappedComp>()) continue;
        ZappedComp& zap = entity.get<ZappedComp>();
        if (zap.remaining == 0.0f) continue;
        zap.remaining = std::max(0.0f, zap.remaining - dt);
        // A kind with no lightning of its own has no arcs to lay.
        if (!lightningDef(zap.kind)) continue;
        const PVAComp& pva = entity.get<PVAComp>();
        if (entity.has<VectorComp>()) {
            const VectorComp& vector = entity.get<VectorComp>();
            float factor = zap.factorFrom;
            if (zap.factorTo != zap.factorFrom) {
                factor = zap.factorFrom + logic->random().nextFloat() * (zap.factorTo - zap.factorFrom);
            }
            const double phi = -double(vector.angle) * kRadiansPerDegree;
            const Vector::ShapeDef* shape = library.shapeTable(uint32_t(vector.shape), vector.shapeSet);
            if (!shape || !shape->graphic() || !shape->graphic()->outline()) continue;
            for (const Vector::Polyline* line : *shape->graphic()->outline()) {
                if (!line->points()) continue;
                arcs(zap.kind, line->points()->data(), line->points()->size(), pva.x, pva.y, float(std::cos(phi)),
                     float(std::sin(phi)), factor * vector.scale);
            }
        } else if (entity.has<PolyComp>()) {
            const PolyComp& poly = entity.get<PolyComp>();
            const double phi = -double(poly.angle) * kRadiansPerDegree;
            for (const std::vector<float>& points : poly.pointLists) {
                arcPointList(zap.kind, points, pva.x, pva.y, float(std::cos(phi)), float(std::sin(phi)), poly.scale);
            }
        }
    }
}

void ZappedSys::arcPointList(int kind, const std::vector<float>& points, float x, float y, float cosA, float sinA,
                             float scale) {
    arcs(kind, points.data(), points.size(), x, y, cosA, sinA, scale);
}

void ZappedSys::arcs(int kind, const float* points, size_t count, float x, float y, float cosA, float sinA,
                     float scale) {
    GameLogic* logic = owner<GameLogic>();
    const size_t pointCount = count / 2;
    if (!logic || pointCount < 2) return;
    auto place = [&](size_t i, float& px, float& py) {
        const float lx = points[2 * i];
        const float ly = points[2 * i + 1];
        px = x + scale * lx * cosA - scale * ly * sinA;
        py = y + scale * ly * cosA + scale * lx * sinA;
    };
    float x0 = 0, y0 = 0;
    place(0, x0, y0);
    for (size_t i = 1; i < pointCount; ++i) {
        float x1 = 0, y1 = 0;
        place(i, x1, y1);
        logic->createLightning(kind, 1, 1, x0, y0, x1, y1, false).activate();
        x0 = x1;
        y0 = y1;
    }
}

}  // namespace Zelmo
