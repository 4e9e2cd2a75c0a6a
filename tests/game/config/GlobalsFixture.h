#pragma once
#include <gtest/gtest.h>

#include "game/config/TuningTable.h"
#include "tests/engine/util/TempFolder.h"

// Loads a tuning table from JSON against the real schema "data/Globals.fbs".
inline bool loadTuning(const TempFolder& folder, const std::string& json) {
    folder.write("globals.json", json);
    return Globals::loadFiles("data/Globals.fbs", folder.path("globals"), Zelmo::tuningFieldSlots());
}
