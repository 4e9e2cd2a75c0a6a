#include "engine/psys/ParticleEmitter.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "engine/psys/Angles.h"

namespace PSys {
namespace {

// Speeds are given per frame of a 60 Hz display.
constexpr float kFrameTime = 16.666666f;

const Gradient& whiteGradient() {
    static const Gradient white{{1.0f, 0xffffffffu}};
    return white;
}

float pointX(const Util::IMovingPoint* point) { return point ? point->getX() : 0.0f; }
float pointY(const Util::IMovingPoint* point) { return point ? point->getY() : 0.0f; }

void advance(Util::IMovingPoint* point, float dt) {
    if (point) point->update(dt);
}

}  // namespace

ParticleEmitter::ParticleEmitter(int32_t x, int32_t y, const ParticleDef& def, float speedScale)
    : x(x), y(y), def(def), speedScale(speedScale) {}

void ParticleEmitter::start(float delay) {
    def.startDelay = delay;
    // The pool grows as particles are born, up to its full size: most emitters never fill it,
    // and a level starts dozens of them.
    std::vector<Particle>().swap(m_pool);
    m_hasPool = true;
    liveCount = 0;
    elapsed = 0.0f;
    spawnCarry = 0.0f;
}

void ParticleEmitter::freePool() {
    std::vector<Particle>().swap(m_pool);
    m_hasPool = false;
    liveCount = 0;
}

void ParticleEmitter::prime(int n) {
    if (def.rate <= 0) return;
    spawnCarry = (1000.0f / static_cast<float>(def.rate)) * static_cast<float>(n);
}

void ParticleEmitter::update(float dt) {
    age(dt);
    elapsed += dt;
    advance(def.path, dt);
    advance(def.spread, dt);
    if (def.rate > 0 && def.duration != 0.0f) spawn(dt);
}

void ParticleEmitter::age(float dt) {
    for (int32_t k = 0; k < liveCount;) {
        Particle& particle = m_pool[static_cast<size_t>(k)];
        particle.age += dt;
        if (particle.life <= particle.age) {
            // Swapping rather than copying keeps the dead particle's colour storage in the pool
            // for the next spawn, so steady spawning does not allocate.
            --liveCount;
            if (k != liveCount) std::swap(particle, m_pool[static_cast<size_t>(liveCount)]);
        } else {
            ++k;
        }
    }
}

void ParticleEmitter::spawn(float dt) {
    const float interval = 1000.0f / static_cast<float>(def.rate);
    const float carry = spawnCarry + dt;
    const float due = std::trunc(carry / interval);
    spawnCarry = carry - due * interval;

    const float sx = pointX(def.spread);
    const float sy = pointY(def.spread);
    float length = std::sqrt(sx * sx + sy * sy);
    if (length == 0.0f) length = 1.0f;
    const float dirX = def.directional ? sx / length : 0.0f;
    const float dirY = def.directional ? sy / length : 0.0f;

    // Never beyond the pool, which an emitter that was not started or was freed lacks.
    const int32_t capacity = m_hasPool ? std::min(def.maxParticles, static_cast<int32_t>(kPoolSize)) : 0;
    const float room = static_cast<float>(std::max(capacity - liveCount, 0));
    const int count = static_cast<int>(std::min(due, room));
    const size_t colourRoom = longestGradient();
    for (int i = 0; i < count; ++i) spawnOne(static_cast<float>(i) * interval, dirX, dirY, colourRoom);
}

size_t ParticleEmitter::longestGradient() const {
    size_t longest = 1;  // the white stand-in
    for (const Gradient& gradient : def.gradients) longest = std::max(longest, gradient.size());
    return longest;
}

void ParticleEmitter::spawnOne(float timeOffset, float dirX, float dirY, size_t colourRoom) {
    const float t = elapsed + timeOffset;
    if (static_cast<size_t>(liveCount) == m_pool.size()) m_pool.emplace_back();
    Particle& p = m_pool[static_cast<size_t>(liveCount++)];
    p.age = timeOffset;
    p.life = def.life.valueAt(t) / speedScale;
    p.startX = static_cast<float>(x) + pointX(def.spread) + pointX(def.path);
    p.startY = static_cast<float>(y) + pointY(def.spread) + pointY(def.path);
    p.lastX = p.startX;
    p.lastY = p.startY;

    const float v = def.speed.valueAt(t) * speedScale;
    const float a = (def.angle.valueAt(t) + 90.0f) * Util::kRadiansPerDegree;
    const float dX = dirX - static_cast<float>(std::cos(static_cast<double>(a)));
    const float dY = static_cast<float>(std::sin(static_cast<double>(a))) + dirY;
    p.endX = p.startX + dX * v * p.life / kFrameTime;
    p.endY = p.startY + dY * v * p.life / kFrameTime;
    // The flight ends where it would leave the non-negative quadrant of the world. A particle
    // born outside it has no such crossing ahead of it (the line's crossing lies behind it, or
    // far off for a nearly parallel flight), so its end is only clamped onto the edge.
    if (p.endX < 0.0f) {
        p.endX = 0.0f;
        if (p.startX >= 0.0f) p.endY = p.startY - (dY / dX) * p.startX;
    }
    if (p.endY < 0.0f) {
        p.endY = 0.0f;
        if (p.startY >= 0.0f) p.endX = p.startX - (dX / dY) * p.startY;
    }

    p.size0 = def.size0.valueAt(t);
    p.size1 = def.size1.valueAt(t);
    p.thickness0 = def.thickness0.valueAt(t);
    p.thickness1 = def.thickness1.valueAt(t);
    // Room for the longest gradient at a slot's first use: slots pass their colour storage
    // around as particles die, and this way none of it has to grow again later.
    if (p.colours.capacity() < colourRoom) p.colours.reserve(colourRoom);
    p.colours = nextGradient();
}

const Gradient& ParticleEmitter::nextGradient() {
    if (def.gradients.empty()) return whiteGradient();
    const int32_t count = static_cast<int32_t>(def.gradients.size());
    // Game code may have swapped the gradients for fewer since the last spawn.
    if (gradientCursor < 0 || gradientCursor >= count) gradientCursor = 0;
    const Gradient& gradient = def.gradients[static_cast<size_t>(gradientCursor)];
    gradientCursor = gradientCursor + 1 == count ? 0 : gradientCursor + 1;
    return gradient;
}

}  // namespace PSys
