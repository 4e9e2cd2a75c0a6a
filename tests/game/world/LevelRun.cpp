#include "tests/game/world/LevelRun.h"

namespace WorldTest {

LevelRun playLevelWith(WorldHarness& harness, Hands& hands, int level, int maxUpdates) {
    harness.startLevel(level);
    Autopilot pilot(harness, hands);
    LevelRun run;
    std::string command = pilot.playLevel(maxUpdates);
    while (command == "DEAD") {
        run.deaths += 1;
        harness.reenter("RUNNING", command);
        command = pilot.playLevel(maxUpdates - pilot.updates());
    }
    if (command == "LOST") run.deaths += 1;
    run.finished = command == "NEXTLEVEL" || command == "WON";
    run.gameMs = float(pilot.updates()) * WorldHarness::kStepMs;
    run.presses = hands.presses();
    if (!run.finished) run.trouble = command.empty() ? pilot.trouble() : command;
    return run;
}

}  // namespace WorldTest
