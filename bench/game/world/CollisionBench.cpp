#include <benchmark/benchmark.h>

#include "game/world/MotionComps.h"
#include "game/world/RobotComp.h"
#include "tests/game/world/WorldHarness.h"

namespace {

constexpr int kWalkers = 500;
constexpr int kLargestLevel = 1;

// The largest shipped level with 500 robots walking from random free cells in all directions.
void addWalkers(WorldTest::WorldHarness& harness) {
    Zelmo::GameLogic& logic = harness.logic();
    for (int i = 0; i < kWalkers; ++i) {
        ecs::Entity walker = logic.createRobot(1, -1, -1);
        Zelmo::PVAComp& pva = walker.get<Zelmo::PVAComp>();
        pva.heading = int(logic.random().nextInt(360));
        pva.speed.from = pva.speed.to = 3.0f;
        walker.add<Zelmo::CollisionPointsComp>(25, 0.6f);
        Zelmo::addShapeBoxes(walker, 25, 0.6f);
        walker.activate();
    }
    harness.step();
}

// The collision step alone, over the proposals of one movement step. Goal: under 0.3 ms.
void collisionOf500MovingEntities(benchmark::State& state) {
    WorldTest::WorldHarness harness;
    harness.startLevel(kLargestLevel);
    addWalkers(harness);
    Zelmo::CollisionSys& collision = harness.logic().collisionSys();
    for (auto _ : state) collision.update(16.0f);
}
BENCHMARK(collisionOf500MovingEntities)->Unit(benchmark::kMicrosecond);

// Whole updates while the 500 walk, bump and turn.
void updateWith500MovingEntities(benchmark::State& state) {
    WorldTest::WorldHarness harness;
    harness.startLevel(kLargestLevel);
    addWalkers(harness);
    for (auto _ : state) benchmark::DoNotOptimize(harness.step());
}
BENCHMARK(updateWith500MovingEntities)->Unit(benchmark::kMicrosecond);

}  // namespace
