#pragma once
#include "engine/psys/System.h"

// The game's four particle systems, kept for the whole run and emptied at every level start.
namespace Zelmo {

constexpr int kParticleSystemCount = 4;
constexpr int kEffectsSystem = 0;  // sparks, glows and bursts
constexpr int kChargeSystem = 1;   // the player's charge effect: 4 directions x 16 emitters
constexpr int kTrailSystem = 2;    // the boss bullets' trails
constexpr int kHostileSystem = 3;  // robot projectiles, the only particles that hit anything

// Room for emitters in each system.
constexpr int kEmittersPerSystem = 64;

// System n, or null outside 0 to kParticleSystemCount - 1.
PSys::System* particleSystem(int n);

// Adds an emitter of particle definition index at (x, y) to a system, starting after delay ms,
// with the option "PARTICLE_SPEED" of the moment as its speed: a faster option shortens the
// particles' lives and keeps their flights as long. The emitter's id, or PSys::kNoEmitter when
// the system is full (nothing is added) or the system or definition does not exist.
int spawnParticles(int x, int y, int system, int index, float delay);

// Drops every emitter of system n; its ids start again at 1.
void clearParticleSystem(int n);

}  // namespace Zelmo
