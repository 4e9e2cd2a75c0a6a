#pragma once

// A hidden GLFW window with an OpenGL 3.3 core context and the renderer running on it. Tests
// using it skip when no X display is set.

#include "engine/gfx/Gfx.h"
#include "engine/shell/GlContextHints.h"
#include <gtest/gtest.h>

#include <cstdlib>

// Passes a textured quad's positions and texture coordinates through, for the tests' own
// fragment programs.
inline constexpr const char* kTexturedQuadVs = R"(#version 330 core
in vec3 a_position;
in vec2 a_texcoord0;
uniform mat4 u_modelViewProj;
out vec2 v_texcoord0;
void main() { gl_Position = u_modelViewProj * vec4(a_position, 1.0); v_texcoord0 = a_texcoord0; }
)";

class GlTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (std::getenv("DISPLAY") == nullptr) {
            GTEST_SKIP() << "no DISPLAY: OpenGL tests need an X server (Xvfb)";
        }
        ASSERT_EQ(glfwInit(), GLFW_TRUE);
        glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
        hintGlCoreContext();
        m_window = glfwCreateWindow(320, 240, "gfx test", nullptr, nullptr);
        ASSERT_NE(m_window, nullptr);
        glfwMakeContextCurrent(m_window);
        gfx::Init init;
        init.window = m_window;
        init.width = 320;
        init.height = 240;
        ASSERT_TRUE(gfx::init(init));
    }

    void TearDown() override {
        gfx::shutdown();
        // GLFW stays initialised: terminating it unloads the GL driver, and the leak checker
        // then cannot name (nor be told to ignore) what the driver keeps for the process.
        if (m_window != nullptr) {
            glfwDestroyWindow(m_window);
        }
    }

private:
    GLFWwindow* m_window = nullptr;
};
