#pragma once
#include "engine/ecs/Entity.h"
#include "engine/psys/ParticleEmitter.h"

namespace Zelmo {

class GameLogic;

// Where a particle is at its age, along its definition's position easer.
struct ParticlePoint {
    float x;
    float y;
};
ParticlePoint particlePosition(const PSys::ParticleDef& def, const PSys::Particle& particle);

// A hostile particle at (x, y) against the hit-box grid and the walls: one that meets the
// activated armour, the shield or the player dies there (the player takes its damage); one that
// meets no entity dies at the first wall on its way from where it was last tested.
void collideHostileParticle(GameLogic& logic, int definitionId, PSys::Particle& particle, float x, float y);
// Every live particle of the hostile system where it stands; each update of the game runs it once
// the particles have moved.
void collideHostileParticles(GameLogic& logic);

// Short flashes of the player's protections and the player's fall, as tween chains on the
// entity's drawing.
void armourHitReaction(const ecs::Entity& armour);
void shieldHitReaction(const ecs::Entity& shield);
void playerDeathReaction(GameLogic& logic);

}  // namespace Zelmo
