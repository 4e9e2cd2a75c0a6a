#pragma once
#include <memory>
#include <string>
#include <vector>

#include "engine/shell/GlfwKeys.h"
#include "engine/shell/PointerState.h"
#include "engine/shell/VideoModes.h"

struct GLFWwindow;
class AppContext;

namespace vg {
class Context;
}

namespace Game {

// The window layer over GLFW: one window with an OpenGL 3.3 core context that the renderer
// layer draws with, GLFW's callbacks turned into key codes, pointer records and joypad states,
// and the frame loop that calls back into the application context.
class GLFW3App {
public:
    explicit GLFW3App(AppContext& context);
    // Releases the overlay, the ImGui context, the renderer, the window and GLFW.
    ~GLFW3App();
    GLFW3App(const GLFW3App&) = delete;
    GLFW3App& operator=(const GLFW3App&) = delete;

    // False when GLFW, the window or the renderer cannot start; nothing is printed.
    bool init(const std::string& title, int width, int height, bool fullscreen, float timeScale);
    void runLoop();
    void requestQuit() { m_quit = true; }

    void resize(int width, int height);
    void setFullscreen(bool fullscreen);
    bool isFullscreen() const { return m_fullscreen; }
    std::vector<VideoMode> videoModes() const;
    bool needsDesktopMode(int width, int height) const;

    PointerState& pointer() { return m_pointer; }
    // The 2D overlay, drawn on view 200 over every picture; null before init.
    vg::Context* overlay() { return m_overlay.get(); }
    int windowWidth() const { return m_width; }
    int windowHeight() const { return m_height; }

private:
    static GLFW3App& of(GLFWwindow* window);
    static void onKey(GLFWwindow* window, int key, int scancode, int action, int mods);
    static void onCursor(GLFWwindow* window, double x, double y);
    static void onCursorEnter(GLFWwindow* window, int entered);
    static void onMouseButton(GLFWwindow* window, int button, int action, int mods);
    static void onScroll(GLFWwindow* window, double x, double y);
    static void onWindowSize(GLFWwindow* window, int width, int height);
    static void onJoystick(int joystick, int event);

    void takeInput();
    void pollJoysticks();
    void submitFrame();
    void applySize(int width, int height);
    void updateTitle(double now);
    void paceFrame(double frameStart);
    void cursorPosition(int& x, int& y) const;

    AppContext& m_context;
    GLFWwindow* m_window = nullptr;
    std::unique_ptr<vg::Context> m_overlay;
    bool m_glfwStarted = false;
    bool m_rendererStarted = false;
    bool m_fullscreen = false;
    bool m_quit = false;
    bool m_resizing = false;
    // Whether the window had the focus when the input was last taken.
    bool m_focused = true;
    std::string m_title;
    float m_timeScale = 1.0f;
    int m_width = 0;
    int m_height = 0;
    PointerState m_pointer;
    ModifierKeys m_modifiers;
    double m_previousTime = 0.0;
    int m_frames = 0;
    double m_fpsStart = 0.0;
    double m_refreshInterval = 1.0 / 60.0;
    int m_windowedX = 30, m_windowedY = 30, m_windowedWidth = 0, m_windowedHeight = 0;
};

}  // namespace Game
