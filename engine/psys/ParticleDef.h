#pragma once
#include <cstdint>
#include <vector>

#include "engine/psys/IMovingPoint.h"
#include "engine/psys/PropertyRange.h"
#include "engine/tween/Easing.h"

namespace PSys {

// One key of a colour gradient: a fraction of the particle's life and a packed ABGR colour.
struct ColourKey {
    float position;
    uint32_t colour;
};

// Keys in ascending position.
using Gradient = std::vector<ColourKey>;

// A particle effect definition. Emitters take a copy, which game code may then change.
struct ParticleDef {
    int32_t id = 0;
    // Particles per second; 0 spawns nothing until game code sets a rate or primes the emitter.
    int32_t rate = 0;
    // Move the spawn point. Not owned: many definitions' copies share them, and every emitter
    // advances them. Null counts as a fixed point at the origin.
    Util::IMovingPoint* path = nullptr;
    Util::IMovingPoint* spread = nullptr;
    PropertyRange angle;       // degrees: 0 along +y, 90 along +x
    PropertyRange speed;       // world units per 16.666666 ms
    PropertyRange size0;       // at birth
    PropertyRange size1;       // at death
    PropertyRange thickness0;  // at birth
    PropertyRange thickness1;  // at death
    PropertyRange life;        // ms
    float aimSpread = 0.0f;    // degrees of random widening when the game aims the angle range
    // Successive particles take them in turn; without any, particles are white.
    std::vector<Gradient> gradients;
    // Add the spread point's direction from the origin to each particle's flight direction.
    bool directional = true;
    // How a particle moves from start to end, and how its size and thickness change.
    Tween::EaseFn positionEaser = nullptr;
    Tween::EaseFn sizeEaser = nullptr;
    Tween::EaseFn thicknessEaser = nullptr;
    float thicknessScale = 0.0f;  // 0: draw at the display's current thickness
    float startDelay = 0.0f;      // ms; an emitter's copy takes the delay it is added with
    float duration = 0.0f;        // ms of spawning; negative: endless; 0: none
    int32_t maxParticles = 1;     // alive at once, at most the pool size
};

}  // namespace PSys
