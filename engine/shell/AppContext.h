#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/devices/Joypads.h"
#include "engine/devices/Keyboard.h"
#include "engine/input/InputControllers.h"
#include "engine/inputrender/IInputRenderer.h"
#include "engine/inputrender/StringConvertor.h"
#include "engine/shell/FixedStep.h"
#include "engine/shell/GLFW3App.h"
#include "engine/shell/LogicController.h"
#include "engine/shell/PointerState.h"
#include "engine/shell/Renderer.h"
#include "engine/shell/VideoModes.h"
#include "engine/sound/SoundController.h"
#include "engine/util/FrameGeometry.h"

// The one application context of the process: owns the window, the sound controller, the logic
// controller, the input controllers and the input devices, keeps the design, window and fitted viewport sizes, and is
// what every logic state and screen is constructed with.
class AppContext {
public:
    AppContext(bool soundOn, int designWidth, int designHeight, bool keepAspect, int rate, int skipLimit);
    ~AppContext();
    AppContext(const AppContext&) = delete;
    AppContext& operator=(const AppContext&) = delete;

    // Opens the window and runs the main loop to its end. False, at once, when the window or the
    // renderer cannot start (memory running out while the renderer starts says so in one line);
    // without a sound device the game plays silently, saying so once.
    bool run(const std::string& title, int windowWidth, int windowHeight, bool fullscreen, float timeScale);

    // One pass of the main loop, realMs of (scaled) real time after the last: the logic steps
    // that time calls for (FixedStep), with the window's input (takeInput) taken in before the
    // last of them, then one drawing unless the frame-skip rule skips it. The steps that catch up
    // with time that ran before the input was seen come first, so that a key pressed during a
    // stall is not counted as held through it. No step runs once a state has asked to quit.
    // Whether a frame was drawn (and may be submitted).
    bool pass(double realMs, const std::function<void()>& takeInput);
    // One logic step of dtMs: the current input controller's timers, the logic state, the update
    // hooks. pass runs it with stepMs.
    void update(float dtMs);
    // False when the frame is skipped (nothing was drawn and no frame may be submitted).
    bool render(float dtMs);
    // The logic step: 1000 / rate ms (1000 / 60 without a rate).
    float stepMs() const { return m_stepMs; }
    const Game::FixedStep& clock() const { return m_clock; }

    // Called after every logic update (the game flushes its deferred event senders here).
    void addUpdateHook(std::function<void()> hook) { m_updateHooks.push_back(std::move(hook)); }

    // Input from the window layer.
    void onKey(uint8_t code, bool pressed, int modifiers);
    void onPointer(const Game::PointerState& pointer);
    void onJoypad(int pad, int x, int y, const std::vector<int>& buttons);
    void onWindowResized(int width, int height);

    void setRenderer(Game::IRenderer* renderer) { m_renderer = renderer; }
    // Replaces the sound controller before the window runs (tests record what is played).
    void setSoundController(std::unique_ptr<Sound::SoundController> sound) { m_sound = std::move(sound); }
    void setStringConvertor(Game::IStringConvertor* labels) { m_labels = labels; }
    // Takes ownership; null brings back the overlay renderer of the input areas.
    void setInputRenderer(std::unique_ptr<Game::IInputRenderer> renderer);
    // Hides some of the current controller's areas from drawing (null shows them all).
    void setAreaFilter(const Input::IRenderAreaNameFilter* filter);
    void setWindowSize(int width, int height);
    void setFullscreen(bool fullscreen);
    bool isFullscreen() const;
    void getVideoModes(std::vector<Game::VideoMode>& modes) const;
    void requestQuit();
    bool quitRequested() const { return m_quitRequested; }

    Game::LogicController& logicController() { return *m_logic; }
    Sound::SoundController& soundController() { return *m_sound; }
    Game::PointerState& pointerState();
    Devices::Keyboard& keyboard() { return *m_keyboard; }
    Devices::Joypads& joypads() { return *m_joypads; }
    Input::InputControllers& inputControllers() { return *m_controllers; }
    // The 2D overlay; null until the window runs, unless one was lent for frames drawn without it.
    vg::Context* overlay() { return m_app ? m_app->overlay() : m_overlayWithoutWindow; }
    // Lends an overlay (not owned) to draw whole frames without a window, as tests of the
    // picture do; null takes it back.
    void setOverlayWithoutWindow(vg::Context* overlay) { m_overlayWithoutWindow = overlay; }
    const Util::FrameGeometry& geometry() const { return m_geometry; }

    bool keepAspect;
    // The frame-skip rule's threshold: 1000 / rate, 0 (never skips) without a rate.
    float msPerFrame;
    int skipLimit;
    int skipped = 0;

private:
    void setWindow(int width, int height);
    void clearPlainly();
    void renderInputAreas(vg::Context& overlay);

    float m_stepMs;
    Game::FixedStep m_clock;
    Util::FrameGeometry m_geometry;
    std::unique_ptr<Input::InputControllers> m_controllers;
    std::unique_ptr<Game::GLFW3App> m_app;
    std::unique_ptr<Sound::SoundController> m_sound;
    std::unique_ptr<Game::LogicController> m_logic;
    Game::IRenderer* m_renderer = nullptr;
    std::unique_ptr<Game::IInputRenderer> m_inputRenderer;
    Game::IStringConvertor* m_labels = nullptr;
    std::unique_ptr<Devices::Keyboard> m_keyboard;
    std::unique_ptr<Devices::Joypads> m_joypads;
    std::vector<std::function<void()>> m_updateHooks;
    Game::PointerState m_pointerWithoutWindow;
    vg::Context* m_overlayWithoutWindow = nullptr;
    bool m_quitRequested = false;
};
