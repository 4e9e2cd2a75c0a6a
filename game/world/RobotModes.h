#pragma once
#include <string>

#include "game/world/RobotComp.h"

namespace Zelmo {

// The behaviours the robot kinds name. A name the kinds may not use gives null, so that the
// loader can refuse it; an empty walk name is the random walk and an empty scan name no scan.
bool isWalkModeName(const std::string& name);
bool isScanModeName(const std::string& name);
WalkMode walkModeByName(const std::string& name);
// Null for no scan ("NoScan" or empty).
ScanMode scanModeByName(const std::string& name);

}  // namespace Zelmo
