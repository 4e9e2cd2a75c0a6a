#include "game/effects/WeaponTable.h"

#include <array>
#include <cstddef>

#include "data/Globals_generated.h"
#include "engine/data/Globals.h"
#include "game/config/Settings.h"
#include "game/effects/ParticleDefs.h"

namespace Zelmo {
namespace {

struct WeaponTables {
    std::array<float, kWeaponBeamTypes> beamDamage{};
    std::array<int, kWeaponBeamTypes> beamSound{};
    std::array<float, kWeaponStrikeTypes> strikeDamage{};
    std::array<int, kWeaponStrikeTypes> strikeSound{};
    std::array<float, kParticleDefCount> particleDamage{};
};

template <typename T, size_t N>
bool covers(const std::array<T, N>&, int type) {
    return type >= 0 && static_cast<size_t>(type) < N;
}

// The entry's value for a type, or 0 for a type outside the table.
template <typename T, size_t N>
T lookUp(const std::array<T, N>& table, int type) {
    return covers(table, type) ? table[static_cast<size_t>(type)] : T();
}

// Later entries for a type replace earlier ones.
WeaponTables readWeaponInfos() {
    WeaponTables tables;
    for (const WeaponInfo* entry : Globals::tables<WeaponInfo>("WEAPONINFOS")) {
        const int beam = entry->beam_type();
        if (beam != 0 && covers(tables.beamDamage, beam)) {
            tables.beamDamage[static_cast<size_t>(beam)] = entry->damage();
            tables.beamSound[static_cast<size_t>(beam)] = entry->sound();
        }
        const int strike = entry->strike_type();
        if (strike != 0 && covers(tables.strikeDamage, strike)) {
            tables.strikeDamage[static_cast<size_t>(strike)] = entry->damage();
            tables.strikeSound[static_cast<size_t>(strike)] = entry->sound();
        }
        const int particle = entry->particle_def();
        if (particle != 0 && covers(tables.particleDamage, particle)) {
            tables.particleDamage[static_cast<size_t>(particle)] = entry->damage();
        }
    }
    return tables;
}

const WeaponTables& weaponTables() {
    static const WeaponTables s_tables = readWeaponInfos();
    return s_tables;
}

}  // namespace

float beamDamage(int beamType) { return getOptionValue("BEAM_DMG") * lookUp(weaponTables().beamDamage, beamType); }

int beamSound(int beamType) { return lookUp(weaponTables().beamSound, beamType); }

float strikeDamage(int strikeType) {
    return getOptionValue("STRIKE_DMG") * lookUp(weaponTables().strikeDamage, strikeType);
}

int strikeSound(int strikeType) { return lookUp(weaponTables().strikeSound, strikeType); }

float particleDamage(int definitionId) {
    return getOptionValue("PARTICLE_DMG") * lookUp(weaponTables().particleDamage, definitionId);
}

}  // namespace Zelmo
