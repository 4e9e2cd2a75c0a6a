// One frame of 2,000 line segments through the vector display: CPU time on the recording back
// end, and on OpenGL (needs an X display; under Xvfb, Mesa's software renderer) the frame rate
// at 1280 x 720 next to a loop that only clears and swaps, as a ratio measured in one run.

#include <benchmark/benchmark.h>

#include <cmath>

#include "bench/support/GlBenchWindow.h"
#include "engine/gfx/Gfx.h"
#include "engine/vector/VectorDisplay.h"

namespace {

constexpr int Polylines = 100;
constexpr int SegmentsPerPolyline = 20;  // 2,000 segments a frame
constexpr uint16_t Width = 1280;
constexpr uint16_t Height = 720;
constexpr int FirstView = 10;

// Zig-zags with turns of 60 to 90 degrees, so most points get a joint fan, spread over the
// screen; every tenth polyline is closed.
void drawScene(VectorDisplay& display, int frame) {
    for (int p = 0; p < Polylines; ++p) {
        float x = 40.0f + float((p * 97) % 1200);
        float y = 40.0f + float((p * 53 + frame) % 640);
        const float startX = x;
        const float startY = y;
        display.beginDraw(x, y);
        float heading = float(p) * 0.37f;
        for (int s = 1; s <= SegmentsPerPolyline; ++s) {
            if (p % 10 == 0 && s == SegmentsPerPolyline) {
                display.drawTo(startX, startY);
                break;
            }
            heading += (s % 2 == 0 ? 1.0f : -1.0f) * (1.05f + 0.5f * float(s % 3) / 2.0f);
            x += 12.0f * std::cos(heading);
            y += 12.0f * std::sin(heading);
            display.drawTo(x, y);
        }
        display.endDraw();
    }
}

void BM_FrameOf2000SegmentsRecording(benchmark::State& state) {
    gfx::Init init;
    init.backend = gfx::Backend::Recording;
    gfx::init(init);
    {
        VectorDisplay display(gfx::caps().originBottomLeft, 0.0f);
        display.init(1, Width, Height, FirstView, 0);
        int frame = 0;
        size_t vertices = 0;
        for (auto _ : state) {
            display.beginFrame();
            drawScene(display, frame++);
            vertices = display.frameVertices().size();
            benchmark::DoNotOptimize(display.endFrame(true));
            state.PauseTiming();
            gfx::frame();
            state.ResumeTiming();
        }
        state.counters["vertices"] = double(vertices);
    }
    gfx::shutdown();
}
BENCHMARK(BM_FrameOf2000SegmentsRecording)->Unit(benchmark::kMicrosecond);

void BM_GlDisplayAgainstClearAndSwap(benchmark::State& state) {
    GlBenchWindow window(state, Width, Height);
    if (!window.running()) return;
    const int frames = int(state.range(0));
    {
        VectorDisplay display(gfx::caps().originBottomLeft, 0.0f);
        display.init(1, Width, Height, FirstView, 0);
        display.setBrightness(1.0f);
        gfx::setViewClear(0, gfx::Clear::Colour, 0x000000ff);
        gfx::setViewRect(0, 0, 0, Width, Height);
        auto clearOnly = [](int) { gfx::touch(0); };
        auto withDisplay = [&display](int f) {
            gfx::touch(0);
            display.beginFrame();
            drawScene(display, f);
            display.endFrame(true);
        };
        framesPerSecond(3, withDisplay);  // warm up: programs, buffers, first uploads
        for (auto _ : state) {
            const double emptyFps = framesPerSecond(frames, clearOnly);
            const double displayFps = framesPerSecond(frames, withDisplay);
            state.counters["clear_swap_fps"] = emptyFps;
            state.counters["display_fps"] = displayFps;
            state.counters["ratio"] = displayFps / emptyFps;
        }
    }
}
BENCHMARK(BM_GlDisplayAgainstClearAndSwap)->Arg(30)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
