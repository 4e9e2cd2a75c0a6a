#include "engine/shell/AppContext.h"

#include <cstdio>
#include <new>

#include "engine/gfx/Gfx.h"
#include "engine/inputrender/InputRenderer.h"
#include "engine/shell/Viewport.h"
#include "engine/vg/Context.h"

namespace {

// The configuration's rate when it gives none that makes a step.
constexpr int kDefaultRate = 60;

}  // namespace

AppContext::AppContext(bool soundOn, int designWidth_, int designHeight_, bool keepAspect_, int rate, int skipLimit_)
    : keepAspect(keepAspect_),
      msPerFrame(rate == 0 ? 0.0f : 1000.0f / float(rate)),
      skipLimit(skipLimit_),
      m_stepMs(1000.0f / float(rate > 0 ? rate : kDefaultRate)),
      m_clock(m_stepMs, Game::FixedStep::maxStepsFor(m_stepMs)),
      m_geometry{designWidth_, designHeight_, designWidth_, designHeight_},
      m_controllers(std::make_unique<Input::InputControllers>()),
      m_sound(std::make_unique<Sound::SoundController>(soundOn)),
      m_logic(std::make_unique<Game::LogicController>()),
      m_inputRenderer(std::make_unique<Game::InputRenderer>()),
      m_keyboard(std::make_unique<Devices::Keyboard>()),
      m_joypads(std::make_unique<Devices::Joypads>()) {
    setWindow(designWidth_, designHeight_);
}

// Not the members' reverse order: the sound goes first so that the mixing thread stops before
// anything it may still read from is freed; the states and the input renderer hold textures,
// buffers and overlay paths of the renderer, so they go while the window (which shuts the
// renderer down) still stands; the devices and controllers go last, as the window's callbacks
// reach them until the window is closed.
AppContext::~AppContext() {
    m_sound.reset();
    m_logic.reset();
    m_inputRenderer.reset();
    m_app.reset();
    m_joypads.reset();
    m_keyboard.reset();
    m_controllers.reset();
}

bool AppContext::run(const std::string& title, int width, int height, bool fullscreen, float timeScale) {
    setWindow(width, height);
    m_app = std::make_unique<Game::GLFW3App>(*this);
    // Under a memory limit the renderer's buffers are where the start runs out; that is a start
    // that fails, as when the window does not open, not an abort.
    try {
        if (!m_app->init(title, width, height, fullscreen, timeScale)) return false;
    } catch (const std::bad_alloc&) {
        std::fputs("Not enough memory to start the renderer.\n", stderr);
        std::fflush(stderr);
        return false;
    }
    setWindow(m_app->windowWidth(), m_app->windowHeight());
    if (!m_sound->start(true)) {
        std::fputs("No sound device could be opened: playing without sound.\n", stderr);
        std::fflush(stderr);
    }
    m_app->runLoop();
    return true;
}

// Speeds are in pixels per step and timers in milliseconds: both keep their meaning only when
// every update is one step of stepMs, however many frames are drawn in a second.
bool AppContext::pass(double realMs, const std::function<void()>& takeInput) {
    const int steps = m_clock.advance(realMs);
    for (int step = 1; step < steps && !m_quitRequested; ++step) update(m_stepMs);
    if (takeInput) takeInput();
    if (steps > 0 && !m_quitRequested) update(m_stepMs);
    return render(float(realMs));
}

void AppContext::update(float dtMs) {
    if (Input::InputController* current = m_controllers->getCurrent()) current->tick(dtMs);
    m_logic->update(dtMs);
    for (auto& hook : m_updateHooks) hook();
    m_keyboard->endFrame();
}

bool AppContext::render(float dtMs) {
    if (Game::shouldSkipFrame(msPerFrame, skipped, skipLimit, dtMs)) {
        ++skipped;
        return false;
    }
    vg::Context* overlayContext = overlay();
    if (overlayContext) overlayContext->beginFrame(float(m_geometry.windowWidth), float(m_geometry.windowHeight), 1.0f);
    if (m_renderer) {
        m_renderer->render(m_geometry);
    } else {
        clearPlainly();
    }
    if (overlayContext) {
        renderInputAreas(*overlayContext);
        overlayContext->endFrame();
    }
    skipped = 0;
    return true;
}

void AppContext::renderInputAreas(vg::Context& overlay) {
    const Input::InputController* current = m_controllers->getCurrent();
    if (!current || !m_inputRenderer) return;
    m_inputRenderer->render(*current, m_labels, overlay, m_geometry);
}

void AppContext::setInputRenderer(std::unique_ptr<Game::IInputRenderer> renderer) {
    m_inputRenderer = renderer ? std::move(renderer) : std::make_unique<Game::InputRenderer>();
}

void AppContext::setAreaFilter(const Input::IRenderAreaNameFilter* filter) {
    if (Input::InputController* current = m_controllers->getCurrent()) current->setRenderFilter(filter);
}

void AppContext::clearPlainly() {
    gfx::setViewClear(0, gfx::Clear::Colour | gfx::Clear::Depth, 0x000000ff, 1.0f, 0);
    gfx::setViewRect(0, 0, 0, uint16_t(m_geometry.windowWidth), uint16_t(m_geometry.windowHeight));
    gfx::touch(0);
}

void AppContext::onKey(uint8_t code, bool pressed, int modifiers) {
    m_keyboard->setKey(code, pressed);
    if (Input::InputController* current = m_controllers->getCurrent()) {
        current->onKey(code, uint32_t(modifiers), pressed);
    }
}

void AppContext::onPointer(const Game::PointerState& pointer) {
    Input::InputController* current = m_controllers->getCurrent();
    if (!current) return;
    current->onMouse(Game::toPercent(pointer.x, m_geometry.windowWidth),
                     Game::toPercent(pointer.y, m_geometry.windowHeight), pointer.scrollDelta,
                     uint32_t(pointer.changedButtons), pointer.pressed != 0);
}

void AppContext::onJoypad(int pad, int x, int y, const std::vector<int>& buttons) {
    m_joypads->setState(pad, x, y, buttons);
    if (Input::InputController* current = m_controllers->getCurrent()) current->onJoypad(pad, x, y, buttons);
}

void AppContext::setWindow(int width, int height) {
    m_geometry.windowWidth = width;
    m_geometry.windowHeight = height;
    const Game::Size view = Game::fitViewport({m_geometry.designWidth, m_geometry.designHeight}, {width, height});
    m_geometry.viewWidth = view.width;
    m_geometry.viewHeight = view.height;
}

void AppContext::onWindowResized(int width, int height) {
    if (width == 0 || height == 0) return;
    setWindow(width, height);
    if (keepAspect && m_app &&
        (m_geometry.viewWidth != m_geometry.windowWidth || m_geometry.viewHeight != m_geometry.windowHeight)) {
        m_app->resize(m_geometry.viewWidth, m_geometry.viewHeight);
    }
}

void AppContext::setWindowSize(int width, int height) {
    const bool savedKeepAspect = keepAspect;
    keepAspect = false;
    if (width != 0 && height != 0) setWindow(width, height);
    if (m_app) m_app->resize(width, height);
    keepAspect = savedKeepAspect;
}

void AppContext::setFullscreen(bool fullscreen) {
    if (m_app) m_app->setFullscreen(fullscreen);
}

bool AppContext::isFullscreen() const { return m_app && m_app->isFullscreen(); }

void AppContext::getVideoModes(std::vector<Game::VideoMode>& modes) const {
    if (m_app) modes = m_app->videoModes();
}

void AppContext::requestQuit() {
    m_quitRequested = true;
    if (m_app) m_app->requestQuit();
}

Game::PointerState& AppContext::pointerState() { return m_app ? m_app->pointer() : m_pointerWithoutWindow; }
