#include "game/world/ParticleDrawing.h"

#include <algorithm>
#include <cmath>

#include "engine/tween/Penner.h"
#include "game/effects/ParticleDefs.h"
#include "game/effects/ParticleSystems.h"
#include "game/world/HostileParticles.h"

namespace Zelmo {
namespace {

Tween::EaseFn orLinear(Tween::EaseFn easer) { return easer ? easer : Penner::Linear::easeIn; }

float channel(uint32_t colour, int byte) { return float((colour >> (8 * byte)) & 0xffu) / 255.0f; }

// Along the gradient at the fraction f of the particle's life: from the first key at or after f
// towards the key after it.
void setColour(VectorDisplay& display, const PSys::Gradient& keys, float f) {
    if (keys.empty()) {
        display.setDrawColor(1.0f, 1.0f, 1.0f, 1.0f);
        return;
    }
    uint32_t from = keys.back().colour, to = keys.back().colour;
    for (size_t k = 0; k + 1 < keys.size(); ++k) {
        if (keys[k].position >= f) {
            from = keys[k].colour;
            to = keys[k + 1].colour;
            break;
        }
    }
    float q = keys.back().position;
    for (const PSys::ColourKey& key : keys) {
        if (key.position > f) {
            q = key.position;
            break;
        }
    }
    // A gradient whose keys all sit at 0 has nowhere to move.
    const float along = q > 0.0f ? f / q : 0.0f;
    float rgba[4];
    for (int byte = 0; byte < 4; ++byte) {
        rgba[byte] = channel(from, byte) + (channel(to, byte) - channel(from, byte)) * along;
    }
    display.setDrawColor(rgba[0], rgba[1], rgba[2], rgba[3]);
}

void drawShape(VectorDisplay& display, int shape, float sx, float sy, float s, const PSys::Gradient& keys, float f) {
    if (shape == kCrossShape) {
        display.beginDraw(sx - s, sy + s);
        setColour(display, keys, f);
        display.drawTo(sx + s, sy - s);
        display.endDraw();
        display.beginDraw(sx - s, sy - s);
        display.drawTo(sx + s, sy + s);
        display.endDraw();
    } else if (shape == kDiamondShape) {
        display.beginDraw(sx - s, sy);
        setColour(display, keys, f);
        display.drawTo(sx, sy - s);
        display.drawTo(sx + s, sy);
        display.drawTo(sx, sy + s);
        display.drawTo(sx - s, sy);
        display.endDraw();
    }
}

}  // namespace

void drawParticles(VectorDisplay& display, const IntBox& camera, float zoomX, float zoomY) {
    const float startThickness = display.getThickness();
    float width = 0.0f, height = 0.0f;
    display.getSize(width, height);
    const float centreX = float(camera.x + camera.w / 2);
    const float centreY = float(camera.y + camera.h / 2);
    const float zoom = std::max(zoomX, zoomY);
    for (int system = 0; system < kParticleSystemCount; ++system) {
        for (PSys::EmitterEntry& entry : particleSystem(system)->getEntries()) {
            PSys::ParticleEmitter& emitter = entry.emitter;
            const PSys::ParticleDef def = emitter.def;
            const float factor = def.thicknessScale != 0.0f ? def.thicknessScale : startThickness;
            const int shape = particleShape(def.id);
            for (int32_t i = 0; i < emitter.liveCount; ++i) {
                const PSys::Particle& particle = emitter.particles()[i];
                const float life = particle.life;
                const float t = std::clamp(particle.age, 0.0f, life);
                const ParticlePoint at = particlePosition(def, particle);
                const float sx = std::nearbyint((at.x - centreX) * zoomX + width * 0.5f);
                const float sy = std::nearbyint((at.y - centreY) * zoomY + height * 0.5f);
                const float size = orLinear(def.sizeEaser)(t, particle.size0, particle.size1 - particle.size0, life);
                const float thickness = orLinear(def.thicknessEaser)(t, particle.thickness0,
                                                                     particle.thickness1 - particle.thickness0, life);
                display.setThickness(thickness * factor);
                const float s = float(int(zoom * size));
                drawShape(display, shape, sx, sy, s, particle.colours, life > 0.0f ? particle.age / life : 1.0f);
            }
        }
    }
    display.setThickness(startThickness);
}

}  // namespace Zelmo
