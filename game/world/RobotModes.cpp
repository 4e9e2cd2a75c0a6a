#include "game/world/RobotModes.h"

#include <array>
#include <utility>

#include "game/world/RobotBehaviours.h"

namespace Zelmo {
namespace {

const std::array<std::pair<const char*, WalkMode>, 10> kWalkModes{{
    {"MazeWalk", mazeWalk},
    {"StationaryWalk", stationaryWalk},
    {"StandFollowWalk", standFollowWalk},
    {"RandomWalk", randomWalk},
    {"EdgeWalk", edgeWalk},
    {"FishWalk", fishWalk},
    {"WallBounce", wallBounce},
    {"StarWalk", starWalk},
    {"FootAndStarWalk", footAndStarWalk},
    {"BossBulletWalk", bossBulletWalk},
}};

const std::array<std::pair<const char*, ScanMode>, 7> kScanModes{{
    {"NoScan", nullptr},
    {"NSEWScan", nsewScan},
    {"FullDirScan", fullDirScan},
    {"NSEWTowerScan", nsewTowerScan},
    {"FullDirTowerScan", fullDirTowerScan},
    {"FishScan", fishScan},
    {"BossScan", bossScan},
}};

template <typename Modes>
const typename Modes::value_type* findMode(const Modes& modes, const std::string& name) {
    for (const auto& mode : modes) {
        if (name == mode.first) return &mode;
    }
    return nullptr;
}

}  // namespace

bool isWalkModeName(const std::string& name) { return name.empty() || findMode(kWalkModes, name); }
bool isScanModeName(const std::string& name) { return name.empty() || findMode(kScanModes, name); }

WalkMode walkModeByName(const std::string& name) {
    const auto* mode = findMode(kWalkModes, name);
    return mode ? mode->second : randomWalk;
}

ScanMode scanModeByName(const std::string& name) {
    const auto* mode = findMode(kScanModes, name);
    return mode ? mode->second : nullptr;
}

}  // namespace Zelmo
