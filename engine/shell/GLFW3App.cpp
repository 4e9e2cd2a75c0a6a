#include "engine/shell/GLFW3App.h"

#include <GLFW/glfw3.h>
#include <imgui.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include "engine/gfx/Gfx.h"
#include "engine/shell/AppContext.h"
#include "engine/shell/GlContextHints.h"
#include "engine/vg/Context.h"

namespace Game {
namespace {

// GLFW reports joystick connections without a window, so their flags are process-wide.
std::array<bool, 4> g_joystickPresent{};

constexpr int kImGuiFontSize = 18;
constexpr gfx::ViewId kOverlayView = 200;

// The window layer's last complaint, kept so that a start that fails can say why.
std::string g_lastWindowError;

bool startFailed(const char* what) {
    std::fprintf(stderr, "%s%s%s\n", what, g_lastWindowError.empty() ? "" : ": ", g_lastWindowError.c_str());
    std::fflush(stderr);
    return false;
}

}  // namespace

GLFW3App::GLFW3App(AppContext& context) : m_context(context) {}

GLFW3App::~GLFW3App() {
    if (m_rendererStarted) {
        m_overlay.reset();
        ImGui::DestroyContext();
        gfx::shutdown();
    }
    if (m_window) glfwDestroyWindow(m_window);
    if (m_glfwStarted) glfwTerminate();
}

GLFW3App& GLFW3App::of(GLFWwindow* window) { return *static_cast<GLFW3App*>(glfwGetWindowUserPointer(window)); }

bool GLFW3App::init(const std::string& title, int width, int height, bool fullscreen, float timeScale) {
    m_fullscreen = fullscreen;
    m_title = title;
    m_timeScale = timeScale;

    g_lastWindowError.clear();
    glfwSetErrorCallback([](int, const char* description) { g_lastWindowError = description ? description : ""; });
    if (!glfwInit()) return startFailed("The window system could not start");
    m_glfwStarted = true;
    glfwSetJoystickCallback(onJoystick);
    m_modifiers.clear();

    if (needsDesktopMode(width, height)) {
        if (const GLFWvidmode* mode = glfwGetVideoMode(glfwGetPrimaryMonitor())) {
            width = mode->width;
            height = mode->height;
        }
    }
    hintGlCoreContext();
    m_window = glfwCreateWindow(width, height, title.c_str(), fullscreen ? glfwGetPrimaryMonitor() : nullptr, nullptr);
    if (!m_window) return startFailed("The window could not open");
    m_width = width;
    m_height = height;
    glfwSetWindowUserPointer(m_window, this);
    glfwMakeContextCurrent(m_window);
    glfwSwapInterval(1);

    glfwSetKeyCallback(m_window, onKey);
    glfwSetCharCallback(m_window, [](GLFWwindow*, unsigned int) {});
    glfwSetCursorPosCallback(m_window, onCursor);
    glfwSetCursorEnterCallback(m_window, onCursorEnter);
    glfwSetMouseButtonCallback(m_window, onMouseButton);
    glfwSetScrollCallback(m_window, onScroll);
    glfwSetWindowSizeCallback(m_window, onWindowSize);

    gfx::Init init;
    init.window = m_window;
    init.width = uint16_t(width);
    init.height = uint16_t(height);
    init.vsync = true;
    if (!gfx::init(init)) return startFailed("OpenGL 3.3 could not start");
    m_rendererStarted = true;
    if (const GLFWvidmode* mode = glfwGetVideoMode(glfwGetPrimaryMonitor())) {
        if (mode->refreshRate > 0) m_refreshInterval = 1.0 / mode->refreshRate;
    }

    ImGui::CreateContext();
    ImGuiIO& io = ImGui::GetIO();
    io.IniFilename = nullptr;
    io.LogFilename = nullptr;
    ImFontConfig font;
    font.SizePixels = kImGuiFontSize;
    io.Fonts->AddFontDefault(&font);
    m_overlay = std::make_unique<vg::Context>(kOverlayView);

    for (int slot = 0; slot < 4; ++slot) g_joystickPresent[size_t(slot)] = glfwJoystickPresent(slot);
    m_pointer.focused = true;
    return true;
}

// Each pass runs the logic steps that the time since the last calls for, taking the window's
// input in before the last of them, and draws once (AppContext::pass).
void GLFW3App::runLoop() {
    m_focused = glfwGetWindowAttrib(m_window, GLFW_FOCUSED) != 0;
    while (!m_quit) {
        if (glfwWindowShouldClose(m_window)) break;
        const double now = glfwGetTime();
        const double dt = (now - m_previousTime) * (double(m_timeScale) * 1000.0);
        m_previousTime = now;
        gfx::setViewRect(1, 0, 0, uint16_t(m_width), uint16_t(m_height));
        if (m_context.pass(dt, [this] { takeInput(); })) submitFrame();
        updateTitle(now);
        paceFrame(now);
    }
    glfwSetKeyCallback(m_window, nullptr);
    glfwSetCursorPosCallback(m_window, nullptr);
    glfwSetCursorEnterCallback(m_window, nullptr);
    glfwSetMouseButtonCallback(m_window, nullptr);
}

// The focus, the joysticks and the window's events, all seen at one moment of the pass.
void GLFW3App::takeInput() {
    const bool focused = glfwGetWindowAttrib(m_window, GLFW_FOCUSED) != 0;
    if (focused != m_focused) {
        m_focused = focused;
        m_pointer.focused = focused;
    }
    pollJoysticks();
    m_pointer.scrollDelta = 0;
    glfwPollEvents();
}

void GLFW3App::updateTitle(double now) {
    ++m_frames;
    if (now - m_fpsStart <= 1.0) return;
    const double fps = m_frames / (now - m_fpsStart);
    m_frames = 0;
    m_fpsStart = now;
    char text[64];
    std::snprintf(text, sizeof(text), ": %.2f FPS", fps);
    glfwSetWindowTitle(m_window, (m_title + text).c_str());
}

// Vertical sync paces frames where the driver honours it; where a pass ends early anyway (a
// software display, Xvfb), the rest of the refresh interval is slept out rather than spent
// drawing frames nobody sees. Game speed never depends on either: the logic runs fixed steps by
// the real time that passed (AppContext::pass), so a machine that draws 20, 42 or 144 frames a
// second moves the game as far in a second as one that draws 60.
void GLFW3App::paceFrame(double frameStart) {
    const double remaining = m_refreshInterval - (glfwGetTime() - frameStart);
    // A sleep of less than half a millisecond wakes later than asked by more than it waits.
    if (remaining > 0.0005) std::this_thread::sleep_for(std::chrono::duration<double>(remaining));
}

void GLFW3App::submitFrame() {
    gfx::touch(0);
    gfx::frame();
}

void GLFW3App::pollJoysticks() {
    for (int slot = 0; slot < 4; ++slot) {
        if (!g_joystickPresent[size_t(slot)]) continue;
        int axisCount = 0;
        const float* axes = glfwGetJoystickAxes(slot, &axisCount);
        if (!axes || axisCount <= 1) continue;
        int buttonCount = 0;
        const unsigned char* buttons = glfwGetJoystickButtons(slot, &buttonCount);
        std::vector<int> pressed;
        for (int i = 0; i < buttonCount; ++i) pressed.push_back(buttons[i] == GLFW_PRESS ? 1 : 0);
        m_context.onJoypad(slot, joystickDirection(axes[0]), joystickDirection(axes[1]), pressed);
    }
}

void GLFW3App::onJoystick(int joystick, int event) {
    if (joystick < 0 || joystick >= 4) return;
    if (event == GLFW_CONNECTED) g_joystickPresent[size_t(joystick)] = true;
    if (event == GLFW_DISCONNECTED) g_joystickPresent[size_t(joystick)] = false;
}

void GLFW3App::onKey(GLFWwindow* window, int key, int, int action, int) {
    if (action == GLFW_REPEAT) return;
    GLFW3App& app = of(window);
    const uint8_t code = keyCodeFromGlfw(key);
    if (code == 0) return;
    const bool pressed = action == GLFW_PRESS;
    const int modifiers = app.m_modifiers.onKey(code, pressed);
    app.m_context.onKey(code, pressed, modifiers);
}

void GLFW3App::cursorPosition(int& x, int& y) const {
    double pointerX = 0, pointerY = 0;
    glfwGetCursorPos(m_window, &pointerX, &pointerY);
    x = int(pointerX);
    y = int(pointerY);
}

void GLFW3App::onCursor(GLFWwindow* window, double x, double y) {
    GLFW3App& app = of(window);
    PointerState& pointer = app.m_pointer;
    if (!pointer.focused) return;
    pointer.changedButtons = 0;
    pointer.pressed = 0;
    pointer.scrollDelta = 0;
    pointer.x = int(x);
    pointer.y = int(y);
    app.m_context.onPointer(pointer);
}

// A pointer that leaves the window is over none of its areas: reported just outside the corner,
// so that a dwell it started stops.
void GLFW3App::onCursorEnter(GLFWwindow* window, int entered) {
    if (entered) return;
    onCursor(window, -1, -1);
}

void GLFW3App::onMouseButton(GLFWwindow* window, int button, int action, int) {
    GLFW3App& app = of(window);
    PointerState& pointer = app.m_pointer;
    if (!pointer.focused) return;
    const int bit = mouseButtonBit(button);
    if (action == GLFW_PRESS) {
        pointer.heldButtons |= bit;
    } else {
        pointer.heldButtons &= ~bit;
    }
    pointer.changedButtons = bit;
    pointer.pressed = action == GLFW_PRESS ? 1 : 0;
    app.cursorPosition(pointer.x, pointer.y);
    pointer.scrollDelta = 0;
    app.m_context.onPointer(pointer);
}

void GLFW3App::onScroll(GLFWwindow* window, double, double y) {
    GLFW3App& app = of(window);
    PointerState& pointer = app.m_pointer;
    if (!pointer.focused) return;
    app.cursorPosition(pointer.x, pointer.y);
    pointer.changedButtons = 0;
    pointer.pressed = 0;
    pointer.scrollTotal = int(pointer.scrollTotal + y);
    pointer.scrollDelta = float(y);
    app.m_context.onPointer(pointer);
}

void GLFW3App::onWindowSize(GLFWwindow* window, int width, int height) {
    if (width <= 1 || height <= 1) return;  // minimised
    GLFW3App& app = of(window);
    if (width == app.m_width && height == app.m_height) return;  // our own resize coming back
    app.applySize(width, height);
    app.m_context.onWindowResized(width, height);
}

void GLFW3App::applySize(int width, int height) {
    m_width = width;
    m_height = height;
    gfx::reset(uint16_t(width), uint16_t(height), true);
    glfwSetWindowSize(m_window, width, height);
}

void GLFW3App::resize(int width, int height) {
    // A resize re-enters through the context's size handling; one level is all it takes to
    // settle, and a size that cannot settle (full screen with keep-aspect) must not recurse.
    if (m_resizing) return;
    if (needsDesktopMode(width, height)) {
        if (const GLFWvidmode* mode = glfwGetVideoMode(glfwGetPrimaryMonitor())) {
            width = mode->width;
            height = mode->height;
        }
    }
    if (width < 2 || height < 2) return;
    m_resizing = true;
    applySize(width, height);
    m_context.onWindowResized(width, height);
    m_resizing = false;
}

std::vector<VideoMode> GLFW3App::videoModes() const {
    std::vector<VideoMode> modes;
    GLFWmonitor* monitor = glfwGetPrimaryMonitor();
    if (!monitor) return modes;
    int count = 0;
    const GLFWvidmode* list = glfwGetVideoModes(monitor, &count);
    for (int i = 0; i < count; ++i) modes.emplace_back(list[i].width, list[i].height);
    return distinctModes(modes);
}

bool GLFW3App::needsDesktopMode(int width, int height) const {
    return Game::needsDesktopMode(width, height, videoModes(), m_fullscreen);
}

void GLFW3App::setFullscreen(bool fullscreen) {
    GLFWmonitor* monitor = glfwGetPrimaryMonitor();
    if (!monitor) return;
    const GLFWvidmode* mode = glfwGetVideoMode(monitor);
    if (fullscreen && !m_fullscreen) {
        glfwGetWindowPos(m_window, &m_windowedX, &m_windowedY);
        glfwGetWindowSize(m_window, &m_windowedWidth, &m_windowedHeight);
        glfwSetWindowMonitor(m_window, monitor, 0, 0, mode->width, mode->height, GLFW_DONT_CARE);
    } else if (!fullscreen && m_fullscreen) {
        if (m_windowedWidth == 0 || m_windowedHeight == 0) {
            m_windowedWidth = mode->width;
            m_windowedHeight = mode->height;
        }
        glfwSetWindowMonitor(m_window, nullptr, m_windowedX, m_windowedY, m_windowedWidth, m_windowedHeight,
                             GLFW_DONT_CARE);
    }
    m_fullscreen = fullscreen;
}

}  // namespace Game
