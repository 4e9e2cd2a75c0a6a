#include "engine/shell/GLFW3App.h"

#include <GLFW/glfw3.h>
#include <imgui.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <thread>

#include "engine/gfx/Gfx.h"
#include "engine/shell/AppContext.h"
#include "engine/vg/Context.h"

namespace Game {
namespace {

// GLFW reports joystick connections without a window, so their flags are process-wide.
std::array<bool, 4> g_joystickPresent{};

constexpr int kImGuiFontSize = 18;
constexpr gfx::ViewId kOverlayView = 200;

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

    glfwSetErrorCallback([](int, const char*) {});
    if (!glfwInit()) return false;
    m_glfwStarted = true;
    glfwSetJoystickCallback(onJoystick);
    m_modifiers.clear();

    if (needsDesktopMode(width, height)) {
        if (const GLFWvidmode* l_mode = glfwGetVideoMode(glfwGetPrimaryMonitor())) {
            width = l_mode->width;
            height = l_mode->height;
        }
    }
    glfwWindowHint(GLFW_CLIENT_API, GLFW_OPENGL_API);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    glfwWindowHint(GLFW_OPENGL_FORWARD_COMPAT, GLFW_TRUE);
    m_window = glfwCreateWindow(width, height, title.c_str(), fullscreen ? glfwGetPrimaryMonitor() : nullptr, nullptr);
    if (!m_window) return false;
    m_width = width;
    m_height = height;
    glfwSetWindowUserPointer(m_window, this);
    glfwMakeContextCurrent(m_window);
    glfwSwapInterval(1);

    glfwSetInputMode(m_window, GLFW_STICKY_KEYS, GLFW_TRUE);
    glfwSetKeyCallback(m_window, onKey);
    glfwSetCharCallback(m_window, [](GLFWwindow*, unsigned int) {});
    glfwSetCursorPosCallback(m_window, onCursor);
    glfwSetCursorEnterCallback(m_window, onCursorEnter);
    glfwSetMouseButtonCallback(m_window, onMouseButton);
    glfwSetScrollCallback(m_window, onScroll);
    glfwSetWindowSizeCallback(m_window, onWindowSize);

    gfx::Init l_init;
    l_init.window = m_window;
    l_init.width = uint16_t(width);
    l_init.height = uint16_t(height);
    l_init.vsync = true;
    if (!gfx::init(l_init)) return false;
    m_rendererStarted = true;
    if (const GLFWvidmode* l_mode = glfwGetVideoMode(glfwGetPrimaryMonitor())) {
        if (l_mode->refreshRate > 0) m_refreshInterval = 1.0 / l_mode->refreshRate;
    }

    ImGui::CreateContext();
    ImGuiIO& l_io = ImGui::GetIO();
    l_io.IniFilename = nullptr;
    l_io.LogFilename = nullptr;
    ImFontConfig l_font;
    l_font.SizePixels = kImGuiFontSize;
    l_io.Fonts->AddFontDefault(&l_font);
    m_overlay = std::make_unique<vg::Context>(kOverlayView);

    for (int l_slot = 0; l_slot < 4; ++l_slot) g_joystickPresent[size_t(l_slot)] = glfwJoystickPresent(l_slot);
    m_pointer.focused = true;
    return true;
}

void GLFW3App::runLoop() {
    bool l_focused = glfwGetWindowAttrib(m_window, GLFW_FOCUSED) != 0;
    while (!m_quit) {
        if (glfwWindowShouldClose(m_window)) break;
        const bool l_nowFocused = glfwGetWindowAttrib(m_window, GLFW_FOCUSED) != 0;
        if (l_nowFocused != l_focused) {
            l_focused = l_nowFocused;
            m_pointer.focused = l_focused;
        }
        pollJoysticks();

        const double l_now = glfwGetTime();
        const float l_dt = float((l_now - m_previousTime) * (double(m_timeScale) * 1000.0));
        m_context.update(l_dt);
        m_previousTime = l_now;
        updateTitle(l_now);

        gfx::setViewRect(1, 0, 0, uint16_t(m_width), uint16_t(m_height));
        if (m_context.render(l_dt)) submitFrame();

        m_pointer.scrollDelta = 0;
        glfwPollEvents();
        paceFrame(l_now);
    }
    glfwSetKeyCallback(m_window, nullptr);
    glfwSetCursorPosCallback(m_window, nullptr);
    glfwSetCursorEnterCallback(m_window, nullptr);
    glfwSetMouseButtonCallback(m_window, nullptr);
}

void GLFW3App::updateTitle(double now) {
    ++m_frames;
    if (now - m_fpsStart <= 1.0) return;
    const double l_fps = m_frames / (now - m_fpsStart);
    m_frames = 0;
    m_fpsStart = now;
    char l_text[64];
    std::snprintf(l_text, sizeof(l_text), ": %.2f FPS", l_fps);
    glfwSetWindowTitle(m_window, (m_title + l_text).c_str());
}

// Vertical sync paces frames where the driver honours it; where a pass ends early anyway (a
// software display), sleep out the rest of the refresh interval so game speed never depends
// on how fast the machine draws.
void GLFW3App::paceFrame(double frameStart) {
    const double l_remaining = m_refreshInterval - (glfwGetTime() - frameStart);
    // A sleep of less than half a millisecond wakes later than asked by more than it waits.
    if (l_remaining > 0.0005) std::this_thread::sleep_for(std::chrono::duration<double>(l_remaining));
}

void GLFW3App::submitFrame() {
    gfx::touch(0);
    gfx::frame();
}

int GLFW3App::modifierBits() const {
    auto l_down = [this](int key) { return glfwGetKey(m_window, key) == GLFW_PRESS; };
    int l_bits = 0;
    if (l_down(GLFW_KEY_LEFT_SHIFT) || l_down(GLFW_KEY_RIGHT_SHIFT)) l_bits |= 1;
    if (l_down(GLFW_KEY_LEFT_ALT) || l_down(GLFW_KEY_RIGHT_ALT)) l_bits |= 2;
    if (l_down(GLFW_KEY_LEFT_CONTROL) || l_down(GLFW_KEY_RIGHT_CONTROL)) l_bits |= 4;
    return l_bits;
}

void GLFW3App::pollJoysticks() {
    for (int l_slot = 0; l_slot < 4; ++l_slot) {
        if (!g_joystickPresent[size_t(l_slot)]) continue;
        int l_axisCount = 0;
        const float* l_axes = glfwGetJoystickAxes(l_slot, &l_axisCount);
        if (!l_axes || l_axisCount <= 1) continue;
        int l_buttonCount = 0;
        const unsigned char* l_buttons = glfwGetJoystickButtons(l_slot, &l_buttonCount);
        std::vector<int> l_pressed;
        for (int i = 0; i < l_buttonCount; ++i) l_pressed.push_back(l_buttons[i] == GLFW_PRESS ? 1 : 0);
        m_context.onJoypad(l_slot, joystickDirection(l_axes[0]), joystickDirection(l_axes[1]), l_pressed);
    }
}

void GLFW3App::onJoystick(int joystick, int event) {
    if (joystick < 0 || joystick >= 4) return;
    if (event == GLFW_CONNECTED) g_joystickPresent[size_t(joystick)] = true;
    if (event == GLFW_DISCONNECTED) g_joystickPresent[size_t(joystick)] = false;
}

void GLFW3App::onKey(GLFWwindow* window, int key, int, int action, int) {
    if (action == GLFW_REPEAT) return;
    GLFW3App& l_app = of(window);
    const uint8_t l_code = keyCodeFromGlfw(key);
    if (l_code == 0) return;
    const bool l_pressed = action == GLFW_PRESS;
    const int l_modifiers = l_app.m_modifiers.onKey(l_code, l_pressed, l_pressed ? l_app.modifierBits() : 0);
    l_app.m_context.onKey(l_code, l_pressed, l_modifiers);
}

void GLFW3App::cursorPosition(int& x, int& y) const {
    double l_x = 0, l_y = 0;
    glfwGetCursorPos(m_window, &l_x, &l_y);
    x = int(l_x);
    y = int(l_y);
}

void GLFW3App::onCursor(GLFWwindow* window, double x, double y) {
    GLFW3App& l_app = of(window);
    PointerState& l_pointer = l_app.m_pointer;
    if (!l_pointer.focused) return;
    l_pointer.changedButtons = 0;
    l_pointer.pressed = 0;
    l_pointer.scrollDelta = 0;
    l_pointer.x = int(x);
    l_pointer.y = int(y);
    l_app.m_context.onPointer(l_pointer);
}

// A pointer that leaves the window is over none of its areas: reported just outside the corner,
// so that a dwell it started stops.
void GLFW3App::onCursorEnter(GLFWwindow* window, int entered) {
    if (entered) return;
    onCursor(window, -1, -1);
}

void GLFW3App::onMouseButton(GLFWwindow* window, int button, int action, int) {
    GLFW3App& l_app = of(window);
    PointerState& l_pointer = l_app.m_pointer;
    if (!l_pointer.focused) return;
    const int l_bit = mouseButtonBit(button);
    if (action == GLFW_PRESS) {
        l_pointer.heldButtons |= l_bit;
    } else {
        l_pointer.heldButtons &= ~l_bit;
    }
    l_pointer.changedButtons = l_bit;
    l_pointer.pressed = action == GLFW_PRESS ? 1 : 0;
    l_app.cursorPosition(l_pointer.x, l_pointer.y);
    l_pointer.scrollDelta = 0;
    l_app.m_context.onPointer(l_pointer);
}

void GLFW3App::onScroll(GLFWwindow* window, double, double y) {
    GLFW3App& l_app = of(window);
    PointerState& l_pointer = l_app.m_pointer;
    if (!l_pointer.focused) return;
    l_app.cursorPosition(l_pointer.x, l_pointer.y);
    l_pointer.changedButtons = 0;
    l_pointer.pressed = 0;
    l_pointer.scrollTotal = int(l_pointer.scrollTotal + y);
    l_pointer.scrollDelta = float(y);
    l_app.m_context.onPointer(l_pointer);
}

void GLFW3App::onWindowSize(GLFWwindow* window, int width, int height) {
    if (width <= 1 || height <= 1) return;  // minimised
    GLFW3App& l_app = of(window);
    if (width == l_app.m_width && height == l_app.m_height) return;  // our own resize coming back
    l_app.applySize(width, height);
    l_app.m_context.onWindowResized(width, height);
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
        if (const GLFWvidmode* l_mode = glfwGetVideoMode(glfwGetPrimaryMonitor())) {
            width = l_mode->width;
            height = l_mode->height;
        }
    }
    if (width < 2 || height < 2) return;
    m_resizing = true;
    applySize(width, height);
    m_context.onWindowResized(width, height);
    m_resizing = false;
}

std::vector<VideoMode> GLFW3App::videoModes() const {
    std::vector<VideoMode> l_modes;
    GLFWmonitor* l_monitor = glfwGetPrimaryMonitor();
    if (!l_monitor) return l_modes;
    int l_count = 0;
    const GLFWvidmode* l_list = glfwGetVideoModes(l_monitor, &l_count);
    for (int i = 0; i < l_count; ++i) l_modes.emplace_back(l_list[i].width, l_list[i].height);
    return distinctModes(l_modes);
}

bool GLFW3App::needsDesktopMode(int width, int height) const {
    return Game::needsDesktopMode(width, height, videoModes(), m_fullscreen);
}

void GLFW3App::setFullscreen(bool fullscreen) {
    GLFWmonitor* l_monitor = glfwGetPrimaryMonitor();
    if (!l_monitor) return;
    const GLFWvidmode* l_mode = glfwGetVideoMode(l_monitor);
    if (fullscreen && !m_fullscreen) {
        glfwGetWindowPos(m_window, &m_windowedX, &m_windowedY);
        glfwGetWindowSize(m_window, &m_windowedWidth, &m_windowedHeight);
        glfwSetWindowMonitor(m_window, l_monitor, 0, 0, l_mode->width, l_mode->height, GLFW_DONT_CARE);
    } else if (!fullscreen && m_fullscreen) {
        if (m_windowedWidth == 0 || m_windowedHeight == 0) {
            m_windowedWidth = l_mode->width;
            m_windowedHeight = l_mode->height;
        }
        glfwSetWindowMonitor(m_window, nullptr, m_windowedX, m_windowedY, m_windowedWidth, m_windowedHeight,
                             GLFW_DONT_CARE);
    }
    m_fullscreen = fullscreen;
}

}  // namespace Game
