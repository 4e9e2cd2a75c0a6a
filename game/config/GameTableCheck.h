#pragma once
#include <string>

#include "game/config/ConfigReaders.h"

namespace Zelmo {

// The first number of the game table that the window and main loop cannot run with, as one line
// naming the file and field: "<fileName>: field game.<name>: must be <low> to <high>"; empty
// when they are sound. Each is checked on its own and within a range that keeps the frame's time
// and the window's sizes finite, above zero and small enough to allocate.
std::string gameTableError(const GameTable& table, const std::string& fileName);

}  // namespace Zelmo
