// The in-game picture of the largest level with 200 robots, 20 live beams and full particle
// systems: the CPU time of one frame on the recording back end, and on OpenGL (needs an X
// display; under Xvfb, Mesa's software renderer) the frame rate of whole game frames next to a
// loop that only clears and swaps, as a ratio measured in one run; and a minute of the zapped
// look, whose arcs must not make the world grow.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <fstream>

#include "bench/support/GlBenchWindow.h"
#include "engine/gfx/Gfx.h"
#include "game/effects/ParticleSystems.h"
#include "game/world/GameViewRenderer.h"
#include "tests/game/world/WorldHarness.h"

namespace {

constexpr int kLargestLevel = 1;
constexpr int kRobots = 200;
constexpr int kBeams = 20;
constexpr int kRobotShape = 1;
constexpr int kWidth = 640;
constexpr int kHeight = 480;
const Util::FrameGeometry kFrame{kWidth, kHeight, kWidth, kHeight, kWidth, kHeight};

// The camera on the player in the middle of the level, robots spread over what it sees, beams
// of every type around the player, every particle system filled with emitters.
void populate(Zelmo::GameLogic& logic) {
    Zelmo::PVAComp& player = logic.player().get<Zelmo::PVAComp>();
    int x = logic.params().cellsWide / 2, y = logic.params().cellsHigh / 2;
    logic.cellToWorld(x, y, 0.0f, 0.0f);
    player.x = float(x);
    player.y = float(y);
    logic.mapView().scrollTo(x, y, true);
    const IntBox camera = logic.view().cameraRect();
    const IntBox box = GameVectors::instance().bbox(kRobotShape, 1.0f);
    for (int i = 0; i < kRobots; ++i) {
        ecs::Entity robot = logic.world().createEntity();
        Zelmo::PVAComp& pva = robot.add<Zelmo::PVAComp>();
        pva.x = float(camera.x + (i * 37) % camera.w);
        pva.y = float(camera.y + (i * 53) % camera.h);
        Zelmo::VectorComp& vector = robot.add<Zelmo::VectorComp>();
        vector.shape = kRobotShape;
        vector.filled = true;
        static_cast<IntBox&>(robot.add<Zelmo::BBoxComp>()) = box;
        robot.activate();
    }
    for (int i = 0; i < kBeams; ++i) {
        ecs::Entity entity = logic.world().createEntity();
        Zelmo::PVAComp& pva = entity.add<Zelmo::PVAComp>();
        pva.x = player.x - 200.0f + float(i * 20);
        pva.y = player.y;
        Zelmo::BeamComp& beam = entity.add<Zelmo::BeamComp>();
        beam.type = i + 1;
        beam.angle = float(i * 18);
        beam.length = 150.0f;
        Zelmo::beamTimeline(beam.type, beam.timeline);
        beam.timeline.loops = Zelmo::BeamTimeline::kForEver;
        entity.activate();
    }
    for (int system = 0; system < Zelmo::kParticleSystemCount; ++system) {
        while (Zelmo::spawnParticles(int(player.x), int(player.y), system, 0, 0.0f) != PSys::kNoEmitter) {
        }
    }
    logic.world().refresh();
}

void BM_GameFrameRecording(benchmark::State& state) {
    gfx::Init init;
    init.backend = gfx::Backend::Recording;
    gfx::init(init);
    {
        WorldTest::WorldHarness harness("data/config", 1, WorldTest::WorldHarness::Picture::Drawn);
        harness.startLevel(kLargestLevel);
        populate(harness.logic());
        size_t shapes = 0;
        for (auto _ : state) {
            state.PauseTiming();
            harness.step();
            shapes = harness.logic().view().shapeDraws().size();
            state.ResumeTiming();
            harness.logic().viewRenderer().render(kFrame);
            state.PauseTiming();
            gfx::frame();
            state.ResumeTiming();
        }
        state.counters["shapes"] = double(shapes);
    }
    gfx::shutdown();
}
BENCHMARK(BM_GameFrameRecording)->Unit(benchmark::kMicrosecond);

void BM_GlGameFrameAgainstClearAndSwap(benchmark::State& state) {
    GlBenchWindow window(state, kWidth, kHeight);
    if (!window.running()) return;
    const int frames = int(state.range(0));
    {
        WorldTest::WorldHarness harness("data/config", 1, WorldTest::WorldHarness::Picture::Drawn);
        harness.startLevel(kLargestLevel);
        populate(harness.logic());
        gfx::setViewClear(0, gfx::Clear::Colour, 0x000000ff);
        gfx::setViewRect(0, 0, 0, kWidth, kHeight);
        auto clearOnly = [](int) { gfx::touch(0); };
        auto gameFrame = [&harness](int) {
            harness.step();
            harness.logic().viewRenderer().render(kFrame);
        };
        framesPerSecond(3, gameFrame);  // warm up: programs, buffers, first uploads
        for (auto _ : state) {
            const double emptyFps = framesPerSecond(frames, clearOnly);
            const double gameFps = framesPerSecond(frames, gameFrame);
            state.counters["clear_swap_fps"] = emptyFps;
            state.counters["game_fps"] = gameFps;
            state.counters["ratio"] = gameFps / emptyFps;
        }
    }
}
BENCHMARK(BM_GlGameFrameAgainstClearAndSwap)->Arg(30)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// Resident memory of the process in kilobytes.
long residentKb() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * 4;
}

// A minute of the player zapped without a break (3,750 updates of 16 ms): arcs come and go every
// update, and the world's entities and the process's memory must level off rather than grow.
void BM_ZappedForAMinute(benchmark::State& state) {
    WorldTest::WorldHarness harness;
    harness.startLevel(kLargestLevel);
    Zelmo::GameLogic& logic = harness.logic();
    Zelmo::ZappedComp& zap = logic.player().get<Zelmo::ZappedComp>();
    constexpr int kUpdates = 60000 / 16;
    harness.step();
    state.counters["entities_unzapped"] = double(logic.world().entityCount());
    for (auto _ : state) {
        zap.remaining = 1e9f;
        harness.step(kUpdates / 4);  // the arcs' lives fill up
        const size_t entitiesAfterWarmUp = logic.world().entityCount();
        const long memoryAfterWarmUp = residentKb();
        size_t peak = 0;
        for (int i = kUpdates / 4; i < kUpdates; ++i) {
            harness.step();
            peak = std::max(peak, logic.world().entityCount());
        }
        state.counters["entities_after_15s"] = double(entitiesAfterWarmUp);
        state.counters["entities_peak_15_60s"] = double(peak);
        state.counters["entities_at_60s"] = double(logic.world().entityCount());
        state.counters["rss_growth_15_60s_kb"] = double(residentKb() - memoryAfterWarmUp);
    }
}
BENCHMARK(BM_ZappedForAMinute)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
