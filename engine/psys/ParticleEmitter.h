#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/psys/Particle.h"
#include "engine/psys/ParticleDef.h"

namespace PSys {

// Spawns particles from its own copy of a definition into a pool of at most kPoolSize. Live
// particles occupy slots 0 .. liveCount - 1 in no particular order.
class ParticleEmitter {
public:
    static constexpr int kPoolSize = 2048;

    ParticleEmitter(int32_t x, int32_t y, const ParticleDef& def, float speedScale);

    // Takes the delay as the copy's start delay and gives the emitter a fresh, empty pool.
    void start(float delay);
    // Ages the particles, advances the moving points and spawns what is due.
    void update(float dt);
    // Makes the next update spawn n particles at once (as far as maxParticles allows).
    void prime(int n);
    void freePool();

    Particle* particles() { return m_pool.data(); }
    const Particle* particles() const { return m_pool.data(); }

    // Game code moves emitters, changes their copy of the definition and empties them.
    int32_t x;
    int32_t y;
    ParticleDef def;
    float speedScale;
    int32_t gradientCursor = 0;  // the gradient the next particle takes
    int32_t liveCount = 0;
    float elapsed = 0.0f;     // ms since the emitter started
    float spawnCarry = 0.0f;  // ms carried over towards the next spawn

private:
    void age(float dt);
    void spawn(float dt);
    void spawnOne(float timeOffset, float dirX, float dirY, size_t colourRoom);
    const Gradient& nextGradient();
    size_t longestGradient() const;

    std::vector<Particle> m_pool;
    bool m_hasPool = false;
};

}  // namespace PSys
