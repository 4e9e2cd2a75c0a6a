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
    Globals::SlotMap l_slots;
    for (int l_field = 0; l_field < int(std::size(s_names)); ++l_field) {
        l_slots[s_names[l_field]] = flatbuffers::voffset_t(4 + 2 * l_field);
    }
    return l_slots;
}

bool loadTuningTable() { return Globals::loadFiles("data/Globals.fbs", "data/globals", tuningFieldSlots()); }

}  // namespace Zelmo
