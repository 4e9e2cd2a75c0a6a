#pragma once
#include <string>

#include "game/config/Config.h"

namespace Zelmo {

// The first fault in the level list that would divide by zero, loop for ever or read outside a
// maze, as one line naming the level and field; empty when the levels are sound.
std::string levelDataError(const ConfigRoot* root = configRoot());

// The first fault of the game seeds against the "GAME_SEED" option in the loaded tuning
// table; empty when every value of the option has its seed.
std::string seedDataError();

// The first fault of the combat values in the loaded tuning table that the game divides by or
// draws from; empty when they are sound.
std::string combatDataError();

// The first fault of the picture's settings in the loaded tuning table: the "GAME_ZOOM" values
// must be whole numbers from 1 to kMaxZoom, the "VECTOR_SETTINGS" values rows of "VDSETTINGS"
// whose displays stay below the menus' views, and those rows values the display takes. Empty
// when they are sound.
constexpr int kMaxZoom = 4;
std::string displayDataError();

// Stops the process with the line of the first fault of any kind.
void checkLevelData();

}  // namespace Zelmo
