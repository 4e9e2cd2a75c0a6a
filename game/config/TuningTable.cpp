#include "game/config/TuningTable.h"

#include <iterator>

namespace Zelmo {

Globals::SlotMap tuningFieldSlots() {
    static const char* const s_names[] = {
        "OPTIONVALUES",    "PLAYERSPEED",   "PUNCHSPEED",    "PUNCHSPEEDMULT", "PUNCHSPEEDMAXTIME",
        "POWERPUNCHTIME",  "PUNCHDAMAGEBASE", "PUNCHDAMAGEMULT", "PUNCHDAMAGEDIV", "DMGBOSSMULT",
        "KILLBOSSTIME",    "KNOCKBACKVALUES", "CLAWERDAMAGE", "CLAWEREXPTIME",  "SPINNERDAMAGE",
        "BOSSBULLET",      "BEAMSPEED",     "ARMOURPOWDURATION", "WEAPONINFOS", "POWUPDROPS",
        "VDSETTINGS",      "PLAYERHEALTH",  "RECHARGETIME",  "HEALTHPERSEC",   "GAMESEEDS"};
    Globals::SlotMap slots;
    for (int field = 0; field < int(std::size(s_names)); ++field) {
        slots[s_names[field]] = flatbuffers::voffset_t(4 + 2 * field);
    }
    return slots;
}

bool loadTuningTable() { return Globals::loadFiles("data/Globals.fbs", "data/globals", tuningFieldSlots()); }

}  // namespace Zelmo
