// The cost of the picture, measured side by side in one run:
// - the busy scene: the largest level with 200 robots, 20 live beams and full particle systems,
//   640 x 480: the CPU time of one frame on the recording back end, and on OpenGL the frame rate
//   of whole game frames next to a loop that only clears and swaps, as a ratio;
// - the first level as a player starts it, at 960 x 720 and 1920 x 1080, uncapped;
// - the title screen with its moving picture and menu, 960 x 720;
// each with the processor time a frame takes on all threads (cpu_ms_per_frame: steadier than the
// frame rate on a busy machine) and the time of every renderer view (ms_v<id>: the view waited for
// to finish), so the display's passes can be told apart. OpenGL needs an X display (under Xvfb, Mesa's software
// renderer). And a minute of the zapped look, whose arcs must not make the world grow.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <string>

#include "bench/support/GlBenchWindow.h"
#include "engine/gfx/ColourQuad.h"
#include "engine/gfx/Gfx.h"
#include "engine/gfx/Recording.h"
#include "engine/input/InputControllers.h"
#include "engine/vg/Context.h"
#include "game/config/Config.h"
#include "game/config/InputMethods.h"
#include "game/config/SettingKeys.h"
#include "game/config/Settings.h"
#include "game/config/TuningTable.h"
#include "game/effects/ParticleSystems.h"
#include "game/input/GlobalInputRefs.h"
#include "game/screens/TitleLogicView.h"
#include "game/vector/ShapeLibrary.h"
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

// Frames drawn with each view timed (gfx::setViewTiming): the mean milliseconds of every view as
// counters ms_v<id>, and their sum as ms_views.
template <typename DrawFrame>
void countViewTimes(benchmark::State& state, int frames, DrawFrame drawFrame) {
    std::map<int, double> total;
    gfx::setViewTiming(true);
    for (int f = 0; f < frames; ++f) {
        drawFrame(f);
        gfx::frame();
        for (const gfx::ViewTime& time : gfx::viewTimes()) total[time.view] += time.ms;
    }
    gfx::setViewTiming(false);
    double sum = 0.0;
    for (const auto& [view, ms] : total) {
        char name[16];
        std::snprintf(name, sizeof name, "ms_v%03d", view);
        state.counters[name] = ms / frames;
        sum += ms / frames;
    }
    state.counters["ms_views"] = sum;
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
        uint32_t lineVertices = 0;
        for (auto _ : state) {
            state.PauseTiming();
            harness.step();
            shapes = harness.logic().view().shapeDraws().size();
            state.ResumeTiming();
            harness.logic().viewRenderer().render(kFrame);
            state.PauseTiming();
            gfx::frame();
            lineVertices = 0;
            if (const gfx::ViewPass* scene = gfx::recording()->pass(Zelmo::GameViewRenderer::kFirstDisplayView)) {
                for (uint32_t i = 0; i < scene->numDraws; ++i) {
                    lineVertices += gfx::recording()->draw(*scene, i).numVertices;
                }
            }
            state.ResumeTiming();
        }
        state.counters["shapes"] = double(shapes);
        state.counters["line_vertices"] = double(lineVertices);
    }
    gfx::shutdown();
}
BENCHMARK(BM_GameFrameRecording)->Unit(benchmark::kMicrosecond);

// Against an empty loop that only clears view 0 and swaps, in the same run: warms up with a few
// frames, then reports both rates as clear_swap_fps and fpsName, their ratio, the processor time
// of a frame, and each view's time over viewTimeFrames frames.
template <typename DrawFrame>
void measureAgainstClearAndSwap(benchmark::State& state, int width, int height, int frames, int viewTimeFrames,
                                const char* fpsName, DrawFrame drawFrame) {
    gfx::setViewClear(0, gfx::Clear::Colour, 0x000000ff);
    gfx::setViewRect(0, 0, 0, uint16_t(width), uint16_t(height));
    auto clearOnly = [](int) { gfx::touch(0); };
    framesPerSecond(3, drawFrame);  // warm up: programs, buffers, first uploads
    for (auto _ : state) {
        const double emptyFps = framesPerSecond(frames, clearOnly);
        double cpuMs = 0.0;
        const double drawnFps = framesPerSecond(frames, drawFrame, &cpuMs);
        state.counters["clear_swap_fps"] = emptyFps;
        state.counters[fpsName] = drawnFps;
        state.counters["cpu_ms_per_frame"] = cpuMs;
        state.counters["ratio"] = drawnFps / emptyFps;
    }
    countViewTimes(state, viewTimeFrames, drawFrame);
}

void BM_GlGameFrameAgainstClearAndSwap(benchmark::State& state) {
    GlBenchWindow window(state, kWidth, kHeight);
    if (!window.running()) return;
    const int frames = int(state.range(0));
    {
        WorldTest::WorldHarness harness("data/config", 1, WorldTest::WorldHarness::Picture::Drawn);
        harness.startLevel(kLargestLevel);
        populate(harness.logic());
        measureAgainstClearAndSwap(state, kWidth, kHeight, frames, 10, "game_fps", [&harness](int) {
            harness.step();
            harness.logic().viewRenderer().render(kFrame);
        });
    }
}
BENCHMARK(BM_GlGameFrameAgainstClearAndSwap)->Arg(30)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// The first level as a new game starts it, updated and drawn frame after frame in a window of
// width x height with nothing pacing the frames: what the game's frame costs at that size.
void BM_GlFirstLevel(benchmark::State& state) {
    const int width = int(state.range(0)), height = int(state.range(1));
    GlBenchWindow window(state, uint16_t(width), uint16_t(height));
    if (!window.running()) return;
    const int frames = 60;
    {
        WorldTest::WorldHarness harness("data/config", 1, WorldTest::WorldHarness::Picture::Drawn);
        harness.startLevel(0);
        const Util::FrameGeometry frame{width, height, kWidth, kHeight, width, height};
        measureAgainstClearAndSwap(state, width, height, frames, 20, "game_fps", [&](int) {
            harness.step();
            harness.logic().viewRenderer().render(frame);
        });
    }
}
BENCHMARK(BM_GlFirstLevel)
    ->Args({960, 720})
    ->Args({1920, 1080})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The title screen as a player first sees it: the moving picture under the STANDARD menu drawn
// in vector lines, updated and drawn with nothing pacing the frames.
void BM_GlTitle(benchmark::State& state) {
    const int width = int(state.range(0)), height = int(state.range(1));
    GlBenchWindow window(state, uint16_t(width), uint16_t(height));
    if (!window.running()) return;
    const int frames = 60;
    Zelmo::loadConfig(Zelmo::kDefaultConfigName, "no-preferences-for-the-bench.cfg");
    Zelmo::loadTuningTable();
    Zelmo::setDefaultOptions();
    Zelmo::initShapeLibrary();
    Zelmo::setPref(Zelmo::Setting::kInputMethod, Zelmo::kStandardMethod);
    {
        AppContext context(false, kWidth, kHeight, true, 60, 0);
        context.setWindowSize(width, height);
        static Zelmo::GlobalInputRefs s_refs;
        static const bool s_loaded = s_refs.load("data/Accessibility.fbs", "data/accessibility");
        Input::InputControllers& controllers = context.inputControllers();
        if (!s_loaded || !controllers.loadSchema("data/InputConfig.fbs") ||
            !controllers.load("TITLE", "data/input/STANDARD/TITLE.json", &s_refs)) {
            state.SkipWithError("the STANDARD title page does not load");
            return;
        }
        Game::createColourProgram();  // as the INIT state makes it
        vg::Context overlay(200);
        context.setOverlayWithoutWindow(&overlay);
        {
            Zelmo::TitleLogicView title(context);
            Game::LogicEntry entry;
            entry.name = "INTRO";
            title.setActive(true);
            title.enter(entry, "");
            measureAgainstClearAndSwap(state, width, height, frames, 20, "title_fps", [&](int) {
                title.update(16.0f);
                context.render(16.0f);
            });
            title.leave("DESTRUCTOR");
        }
        context.setOverlayWithoutWindow(nullptr);
        Game::destroyColourProgram();
    }
    Zelmo::unloadConfig();
    Zelmo::settings().clear();
}
BENCHMARK(BM_GlTitle)->Args({960, 720})->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

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
