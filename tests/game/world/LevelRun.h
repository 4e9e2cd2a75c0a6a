#pragma once
#include <string>

#include "tests/game/world/Autopilot.h"
#include "tests/game/world/Hands.h"

namespace WorldTest {

// One level played by the autopilot with the given hands, from its start to the lift, a death
// playing it again while lives last.
struct LevelRun {
    bool finished = false;
    float gameMs = 0.0f;
    int deaths = 0;
    int presses = 0;
    // Why the level was not finished.
    std::string trouble;
};

LevelRun playLevelWith(WorldHarness& harness, Hands& hands, int level, int maxUpdates);

}  // namespace WorldTest
