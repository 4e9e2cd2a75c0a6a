#include <benchmark/benchmark.h>

#include "game/world/FXsComp.h"
#include "game/world/LifeComps.h"
#include "game/world/MotionComps.h"
#include "tests/game/world/WorldHarness.h"

namespace {

// The largest shipped level (level 1). Goal: under 50 ms.
void levelStartOfTheLargestLevel(benchmark::State& state) {
    WorldTest::WorldHarness harness;
    for (auto _ : state) harness.startLevel(1);
}
BENCHMARK(levelStartOfTheLargestLevel)->Unit(benchmark::kMillisecond);

// One update of every system present, with 300 entities, each with a running tween chain and
// a long timer. Goal: under 0.5 ms.
void updateWith300Entities(benchmark::State& state) {
    WorldTest::WorldHarness harness;
    harness.startLevel(1);
    Zelmo::GameLogic& logic = harness.logic();
    while (logic.world().entityCount() < 300) {
        ecs::Entity entity = logic.createRobot(1, -1, -1);
        Zelmo::PVAComp& pva = entity.get<Zelmo::PVAComp>();
        Zelmo::FXsComp& effects = entity.add<Zelmo::FXsComp>();
        effects.setTweenChain(Zelmo::FloatChain{{Zelmo::FloatStep{0.0f, 1.0f, 1e9f}}, &pva.nextX});
        Zelmo::scheduleAction(entity, Zelmo::kActionGiveBoxes, 1e9f);
        entity.activate();
    }
    for (auto _ : state) benchmark::DoNotOptimize(harness.step());
}
BENCHMARK(updateWith300Entities)->Unit(benchmark::kMicrosecond);

}  // namespace
