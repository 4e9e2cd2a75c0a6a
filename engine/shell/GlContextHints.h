#pragma once

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

// The context the OpenGL back end draws with: version 3.3, core profile. Every window that runs
// the renderer asks for it before it is created.
inline void hintGlCoreContext() {
    glfwWindowHint(GLFW_CLIENT_API, GLFW_OPENGL_API);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    glfwWindowHint(GLFW_OPENGL_FORWARD_COMPAT, GLFW_TRUE);
}
