#pragma once

#include <benchmark/benchmark.h>

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

// Frames per second of `frames` passes of drawFrame(frame number) each followed by gfx::frame().
template <typename DrawFrame>
double framesPerSecond(int frames, DrawFrame drawFrame) {
    const auto start = std::chrono::steady_clock::now();
    for (int f = 0; f < frames; ++f) {
        drawFrame(f);
        gfx::frame();
    }
    const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
    return frames / seconds.count();
}
