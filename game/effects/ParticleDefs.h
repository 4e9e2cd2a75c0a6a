#pragma once
#include "engine/psys/ParticleDef.h"

// The game's particle effects: fixed definitions built in code on first use, kept until exit.
// Emitters take copies; the definitions' moving points are shared by every copy.
namespace Zelmo {

// Definitions are numbered 0 to kParticleDefCount - 1.
constexpr int kParticleDefCount = 28;

// How the drawing pass draws a particle of a definition.
constexpr int kCrossShape = 0;
constexpr int kDiamondShape = 1;

// The definition at an index, or null outside 0 to kParticleDefCount - 1 (robot data names
// indexes, so a bad one must not reach past the library). Indexes 2, 3 and 4 are one
// definition, whose id is 4: a robot hit and a beam hitting a wall or the player throw the
// same sparks.
const PSys::ParticleDef* particleDef(int index);

// The draw shape of a definition id; kCrossShape for an id no definition has.
int particleShape(int id);

}  // namespace Zelmo
