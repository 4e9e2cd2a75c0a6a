#include "game/effects/ParticleSystems.h"

#include <array>

#include "game/config/Settings.h"
#include "game/effects/ParticleDefs.h"

namespace Zelmo {

PSys::System* particleSystem(int n) {
    static std::array<PSys::System, kParticleSystemCount> s_systems = [] {
        std::array<PSys::System, kParticleSystemCount> systems;
        for (PSys::System& system : systems) system.reserve(kEmittersPerSystem);
        return systems;
    }();
    return n >= 0 && n < kParticleSystemCount ? &s_systems[static_cast<size_t>(n)] : nullptr;
}

int spawnParticles(int x, int y, int system, int index, float delay) {
    PSys::System* target = particleSystem(system);
    const PSys::ParticleDef* def = particleDef(index);
    if (!target || !def) return PSys::kNoEmitter;
    return target->add(x, y, *def, delay, getOptionValue("PARTICLE_SPEED"));
}

void clearParticleSystem(int n) {
    if (PSys::System* target = particleSystem(n)) target->reset();
}

}  // namespace Zelmo
