#pragma once

// What robot weapons do, from the tuning table's "WEAPONINFOS": the damage of a beam type, a
// strike type and a particle definition, and the sound a beam or strike makes when it is fired.
// The list is read once, on the first lookup; damages are scaled by the player's difficulty
// options at every lookup, so a changed option counts at once.
//
// Each lookup covers types 0 up to its table's size (type 0 names no weapon). An entry naming a
// type outside its table is ignored, and a type with no entry, or outside the table, does no
// damage and makes no sound.
namespace Zelmo {

constexpr int kWeaponBeamTypes = 21;    // beam types 0 to 20
constexpr int kWeaponStrikeTypes = 4;   // strike types 0 to 3
// Particle definitions are those of the particle library (kParticleDefCount).

// Option "BEAM_DMG" times the beam type's damage.
float beamDamage(int beamType);
// 0 when the beam is silent.
int beamSound(int beamType);
// Option "STRIKE_DMG" times the strike type's damage.
float strikeDamage(int strikeType);
// 0 when the strike is silent.
int strikeSound(int strikeType);
// Option "PARTICLE_DMG" times the damage of one particle of the definition.
float particleDamage(int definitionId);

}  // namespace Zelmo
