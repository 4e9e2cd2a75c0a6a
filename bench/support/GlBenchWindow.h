#pragma once

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>

#include "engine/gfx/Gfx.h"
#include "engine/shell/GlContextHints.h"

// A window with the renderer running on its OpenGL context, for benchmarks that time real
// frames. Without an X display (or a 3.3 core context) the benchmark is skipped with the reason,
// and running() is false.
class GlBenchWindow {
public:
    GlBenchWindow(benchmark::State& state, uint16_t width, uint16_t height, bool visible = true) {
        if (std::getenv("DISPLAY") == nullptr || glfwInit() != GLFW_TRUE) {
            state.SkipWithError("no X display for OpenGL");
            return;
        }
        glfwWindowHint(GLFW_VISIBLE, visible ? GLFW_TRUE : GLFW_FALSE);
        hintGlCoreContext();
        m_window = glfwCreateWindow(width, height, "bench", nullptr, nullptr);
        if (m_window == nullptr) {
            state.SkipWithError("no OpenGL 3.3 window");
            return;
        }
        glfwMakeContextCurrent(m_window);
        gfx::Init init;
        init.window = m_window;
        init.width = width;
        init.height = height;
        m_running = gfx::init(init);
        if (!m_running) state.SkipWithError("renderer did not start");
    }
    ~GlBenchWindow() {
        if (m_running) gfx::shutdown();
        if (m_window != nullptr) glfwDestroyWindow(m_window);
    }
    GlBenchWindow(const GlBenchWindow&) = delete;
    GlBenchWindow& operator=(const GlBenchWindow&) = delete;

    bool running() const { return m_running; }

private:
    GLFWwindow* m_window = nullptr;
    bool m_running = false;
};

// Processor time the whole process has used (every thread, the software renderer's too), in
// milliseconds: on a busy machine a steadier measure of a frame's work than the time it takes.
inline double processCpuMs() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto ms = [](const timeval& t) { return double(t.tv_sec) * 1000.0 + double(t.tv_usec) / 1000.0; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

// Frames per second of `frames` passes of drawFrame(frame number) each followed by gfx::frame();
// cpuMsPerFrame, when given, receives the processor time each frame took on all threads.
template <typename DrawFrame>
double framesPerSecond(int frames, DrawFrame drawFrame, double* cpuMsPerFrame = nullptr) {
    const double cpuStart = processCpuMs();
    const auto start = std::chrono::steady_clock::now();
    for (int f = 0; f < frames; ++f) {
        drawFrame(f);
        gfx::frame();
    }
    const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
    if (cpuMsPerFrame != nullptr) *cpuMsPerFrame = (processCpuMs() - cpuStart) / frames;
    return frames / seconds.count();
}
