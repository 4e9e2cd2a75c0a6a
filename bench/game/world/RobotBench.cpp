#include <benchmark/benchmark.h>

#include <cstdint>

#include "game/world/GameLogic.h"
#include "game/world/MotionComps.h"
#include "game/world/RobotComp.h"
#include "game/world/RobotFactory.h"
#include "game/world/systems/RobotSys.h"
#include "tests/game/world/WorldHarness.h"

namespace {

constexpr int kRobots = 200;
constexpr int kBossType = 17;

// The largest level with 200 robots of every kind but the boss, in turn, spread over the maze.
// seen: every robot counts as lately on screen, so it scans and fires as well as walks.
void updateRobots(benchmark::State& state, bool seen) {
    WorldTest::WorldHarness harness;
    harness.startLevel(1);
    Zelmo::GameLogic& logic = harness.logic();
    Zelmo::RobotSys robots;
    robots.setOwner(&logic);
    logic.world().addSystem(robots);
    logic.world().refresh();
    uint32_t type = 1;
    while (robots.entities().size() < size_t(kRobots)) {
        type = type % 64 + 1;
        if (type == kBossType || !Zelmo::RobotFactory::instance().def(type)) continue;
        logic.createRobot(int(type), -1, -1);
        logic.world().refresh();
    }
    // Only drawing counts the time off screen, and nothing is drawn here.
    if (seen) {
        for (const ecs::Entity& robot : robots.entities()) robot.get<Zelmo::PVAComp>().offScreenTime = 0.0f;
    }
    for (auto _ : state) robots.update(16.0f);
    logic.world().removeSystem(robots);
}

// One robot update of 200 robots walking the maze, path finders included. Goal: under 0.5 ms.
void robotUpdateOf200Walking(benchmark::State& state) { updateRobots(state, false); }
BENCHMARK(robotUpdateOf200Walking)->Unit(benchmark::kMicrosecond);

// The same robots all on screen, scanning and firing too. Goal: under 0.5 ms.
void robotUpdateOf200Scanning(benchmark::State& state) { updateRobots(state, true); }
BENCHMARK(robotUpdateOf200Scanning)->Unit(benchmark::kMicrosecond);

}  // namespace
