#pragma once
#include "engine/data/Globals.h"

// The tuning table: the numbers that balance the game, read through Globals by these names.
namespace Zelmo {

// The 25 field names of "data/Globals.fbs" with their slots, in schema order.
Globals::SlotMap tuningFieldSlots();

// Loads "data/Globals.fbs" and "data/globals" (".fb" or ".json") into Globals.
bool loadTuningTable();

}  // namespace Zelmo
