// A frame of 200 live beams of mixed types, updated and drawn on the recording back end (goal:
// under 1 ms), and one strike bolt of 500 points (goal: under 20 µs).

#include <benchmark/benchmark.h>

#include <vector>

#include "engine/gfx/Gfx.h"
#include "engine/gfx/VertexFormats.h"
#include "engine/vector/VectorDisplay.h"
#include "game/effects/BeamDrawing.h"
#include "game/effects/BeamTimeline.h"
#include "game/effects/LightningGenerator.h"

namespace {

constexpr int Beams = 200;
constexpr float FrameMs = 16.0f;
constexpr uint16_t Width = 1280;
constexpr uint16_t Height = 720;
constexpr gfx::ViewId FillView = 9;
constexpr int FirstView = 10;

struct LiveBeam {
    int type;
    Zelmo::BeamTimeline timeline;
    std::vector<Zelmo::BeamSegment> segments;
    float x, y, angle, length;
};

const std::vector<int> kEveryType = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20};
// What robots fire and prisoners are chained with; the others are hits and explosions, whose
// lightning makes them tens of times heavier to draw.
const std::vector<int> kWeaponTypes = {1, 2, 3, 4, 5, 6, 7, 8, 19, 20};

// Beams of the given types in turn, spread over the screen and over their lives.
std::vector<LiveBeam> makeBeams(const std::vector<int>& types) {
    std::vector<LiveBeam> beams(Beams);
    for (int i = 0; i < Beams; ++i) {
        LiveBeam& beam = beams[size_t(i)];
        beam.type = types[size_t(i) % types.size()];
        Zelmo::beamTimeline(beam.type, beam.timeline);
        beam.timeline.time = float((i * 37) % 500);
        beam.x = float(40 + (i * 97) % 1200);
        beam.y = float(40 + (i * 53) % 640);
        beam.angle = float((i * 29) % 360);
        beam.length = float(100 + (i * 13) % 200);
    }
    return beams;
}

// What the beam system and the game view do with one beam in a frame; a beam whose timeline
// has finished is made again, so that all stay alive.
void updateAndDraw(LiveBeam& beam, VectorDisplay& display, gfx::ProgramHandle program) {
    if (beam.timeline.finished) {
        beam.timeline = Zelmo::BeamTimeline();
        Zelmo::beamTimeline(beam.type, beam.timeline);
    }
    beam.segments.clear();
    float bounds[4];
    beam.timeline.update(FrameMs, beam.segments, bounds);
    for (const Zelmo::BeamSegment& segment : beam.segments) {
        if (segment.filled) {
            Zelmo::drawBeamSegmentFilled(FillView, program, beam.x, beam.y, 0.0f, 1.0f, beam.angle, beam.length,
                                         segment);
        }
    }
    Zelmo::drawBeamSegments(display, beam.x, beam.y, beam.angle, beam.length, 1.0f, beam.segments);
}

void updateAndDrawFrames(benchmark::State& state, const std::vector<int>& types) {
    gfx::Init init;
    init.backend = gfx::Backend::Recording;
    gfx::init(init);
    {
        const gfx::ProgramHandle program = gfx::createProgram("vs", "fs", "fills");
        VectorDisplay display(gfx::caps().originBottomLeft, 0.0f);
        display.init(1, Width, Height, FirstView, 4000000);
        std::vector<LiveBeam> beams = makeBeams(types);
        double segments = 0;
        double vertices = 0;
        for (auto _ : state) {
            display.beginFrame();
            for (LiveBeam& beam : beams) {
                updateAndDraw(beam, display, program);
                segments += double(beam.segments.size());
            }
            vertices += double(display.frameVertices().size());
            state.PauseTiming();
            display.endFrame(true);
            gfx::frame();
            state.ResumeTiming();
        }
        state.counters["segments"] = benchmark::Counter(segments, benchmark::Counter::kAvgIterations);
        state.counters["vertices"] = benchmark::Counter(vertices, benchmark::Counter::kAvgIterations);
    }
    gfx::shutdown();
}
// 500 frames: eight seconds of play, several lives of the longest beam.
void BM_UpdateAndDraw200Beams(benchmark::State& state) { updateAndDrawFrames(state, kEveryType); }
BENCHMARK(BM_UpdateAndDraw200Beams)->Unit(benchmark::kMicrosecond)->Iterations(500);

void BM_UpdateAndDraw200WeaponBeams(benchmark::State& state) { updateAndDrawFrames(state, kWeaponTypes); }
BENCHMARK(BM_UpdateAndDraw200WeaponBeams)->Unit(benchmark::kMicrosecond)->Iterations(500);

// Only the timelines' update, for comparison with the drawing.
void BM_Update200Beams(benchmark::State& state) {
    std::vector<LiveBeam> beams = makeBeams(kEveryType);
    for (auto _ : state) {
        for (LiveBeam& beam : beams) {
            if (beam.timeline.finished) {
                beam.timeline = Zelmo::BeamTimeline();
                Zelmo::beamTimeline(beam.type, beam.timeline);
            }
            beam.segments.clear();
            float bounds[4];
            beam.timeline.update(FrameMs, beam.segments, bounds);
            benchmark::DoNotOptimize(beam.segments.data());
        }
    }
}
BENCHMARK(BM_Update200Beams)->Unit(benchmark::kMicrosecond)->Iterations(500);

// A strike's bolt: maxPoints 500, with an amplitude that falls below its threshold only far
// below the depth at which the point limit is reached.
void BM_StrikeBolt500Points(benchmark::State& state) {
    LightningGenerator generator(1);
    Zelmo::BoltParams params;
    params.x1 = 400.0f;
    params.y1 = 300.0f;
    params.amplitude = 300.0f;
    params.decay = 0.8f;
    params.threshold = 0.1f;
    params.midpointScale = 1.0f;
    params.maxPoints = 500;
    std::vector<float> bolt;
    bolt.reserve(1000);
    for (auto _ : state) {
        bolt.clear();
        generator.generate(params, bolt);
        benchmark::DoNotOptimize(bolt.data());
    }
    state.counters["points"] = double(bolt.size() / 2);
}
BENCHMARK(BM_StrikeBolt500Points)->Unit(benchmark::kMicrosecond);

}  // namespace
