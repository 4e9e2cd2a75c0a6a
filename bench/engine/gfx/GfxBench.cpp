// CPU time of one frame() that runs 10,000 small transient draws spread over 50 views,
// on the recording back end and on OpenGL (the latter needs an X display).

#include "engine/gfx/Gfx.h"
#include "engine/gfx/Projection.h"
#include "engine/gfx/ShaderLoader.h"
#include "engine/gfx/VertexFormats.h"

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>
#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

constexpr int Draws = 10000;
constexpr int Views = 50;

// Draw i goes to view 10 + (i * 7) % 50, so views are submitted out of order.
void submitDraws(gfx::ProgramHandle program) {
    for (int i = 0; i < Draws; ++i) {
        gfx::TransientVertexBuffer buffer;
        if (!gfx::allocTransientVertexBuffer(&buffer, 4, PosColorVertex::layout)) {
            return;
        }
        float x = float(i % 100) * 6.0f;
        float y = float(i / 100) * 4.0f;
        PosColorVertex* v = buffer.vertices<PosColorVertex>();
        v[0] = {x, y, 0, 0xff20c040};
        v[1] = {x, y + 3, 0, 0xff20c040};
        v[2] = {x + 5, y, 0, 0xff20c040};
        v[3] = {x + 5, y + 3, 0, 0xff20c040};
        gfx::setVertexBuffer(buffer);
        gfx::setState(gfx::DrawState().with(gfx::Primitive::TriangleStrip));
        gfx::submit(gfx::ViewId(10 + (i * 7) % Views), program);
    }
}

void runFrames(benchmark::State& state) {
    gfx::ProgramHandle program = gfx::createProgramFromFiles(ZELMO_SOURCE_DIR "/data/vtx-color.vs.bin",
                                                             ZELMO_SOURCE_DIR "/data/vtx-color.fs.bin");
    if (!program.valid()) {
        state.SkipWithError("program did not build");
        return;
    }
    for (int v = 0; v < Views; ++v) {
        gfx::setViewRect(gfx::ViewId(10 + v), 0, 0, 640, 480);
        gfx::setViewTransform(gfx::ViewId(10 + v), gfx::ortho(0, 640, 0, 480, -1, 100, true));
    }
    for (auto _ : state) {
        state.PauseTiming();
        submitDraws(program);
        state.ResumeTiming();
        gfx::frame();
    }
    state.counters["draws/s"] = benchmark::Counter(double(Draws), benchmark::Counter::kIsIterationInvariantRate);
    gfx::destroy(program);
}

void BM_FrameRecording(benchmark::State& state) {
    gfx::Init init;
    init.backend = gfx::Backend::Recording;
    gfx::init(init);
    runFrames(state);
    gfx::shutdown();
}
BENCHMARK(BM_FrameRecording)->Unit(benchmark::kMillisecond);

void BM_FrameOpenGL(benchmark::State& state) {
    if (std::getenv("DISPLAY") == nullptr || glfwInit() != GLFW_TRUE) {
        state.SkipWithError("no X display for OpenGL");
        return;
    }
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    glfwWindowHint(GLFW_OPENGL_FORWARD_COMPAT, GLFW_TRUE);
    GLFWwindow* window = glfwCreateWindow(640, 480, "gfx bench", nullptr, nullptr);
    if (window == nullptr) {
        state.SkipWithError("no OpenGL 3.3 window");
        glfwTerminate();
        return;
    }
    glfwMakeContextCurrent(window);
    gfx::Init init;
    init.window = window;
    if (gfx::init(init)) {
        runFrames(state);
        gfx::shutdown();
    } else {
        state.SkipWithError("renderer did not start");
    }
    glfwDestroyWindow(window);
    glfwTerminate();
}
BENCHMARK(BM_FrameOpenGL)->Unit(benchmark::kMillisecond);

}  // namespace
