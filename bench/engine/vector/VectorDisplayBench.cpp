// One frame of 2,000 line segments through the vector display: CPU time on the recording back
// end, and on OpenGL (needs an X display; under Xvfb, Mesa's software renderer) the frame rate
// at 1280 x 720 next to a loop that only clears and swaps, as a ratio measured in one run.

#include "engine/gfx/Gfx.h"
#include "engine/vector/VectorDisplay.h"

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdlib>

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

// Frames per second of `frames` passes of `drawFrame` followed by gfx::frame().
template <typename DrawFrame>
double framesPerSecond(int frames, DrawFrame drawFrame) {
    auto start = std::chrono::steady_clock::now();
    for (int f = 0; f < frames; ++f) {
        drawFrame(f);
        gfx::frame();
    }
    std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
    return frames / seconds.count();
}

void BM_GlDisplayAgainstClearAndSwap(benchmark::State& state) {
    if (std::getenv("DISPLAY") == nullptr || glfwInit() != GLFW_TRUE) {
        state.SkipWithError("no X display");
        return;
    }
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    glfwWindowHint(GLFW_OPENGL_FORWARD_COMPAT, GLFW_TRUE);
    GLFWwindow* window = glfwCreateWindow(Width, Height, "bench", nullptr, nullptr);
    if (window == nullptr) {
        state.SkipWithError("no OpenGL 3.3 window");
        return;
    }
    glfwMakeContextCurrent(window);
    gfx::Init init;
    init.window = window;
    init.width = Width;
    init.height = Height;
    if (!gfx::init(init)) {
        state.SkipWithError("renderer did not start");
        return;
    }
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
    gfx::shutdown();
    glfwDestroyWindow(window);
}
BENCHMARK(BM_GlDisplayAgainstClearAndSwap)->Arg(30)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
