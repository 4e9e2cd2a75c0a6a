#include "game/screens/ScreenFrame.h"

#include "engine/gfx/Gfx.h"
#include "engine/inputrender/VectorInputRenderer.h"
#include "engine/shell/AppContext.h"
#include "engine/util/FlatText.h"
#include "game/config/InputMethods.h"
#include "game/config/SettingKeys.h"
#include "game/config/Settings.h"

namespace Zelmo {
namespace {

constexpr float kTextSize = 512.0f;
constexpr float kLineThickness = 12.0f;

gfx::ViewId viewId(int view) { return gfx::ViewId(view); }

// The accessible methods keep the overlay's filled boxes: they read at a glance, and their
// countdowns fill the box as the time runs.
bool wantsVectorMenus() {
    return getPref(Setting::kInputMethod) == kStandardMethod && getOptionValue("VECTOR_MENUS") != 0.0f;
}

}  // namespace

std::unique_ptr<VectorDisplay> makeScreenDisplay(int width, int height, int view, int designWidth) {
    const gfx::Caps caps = gfx::caps();
    auto display = std::make_unique<VectorDisplay>(caps.originBottomLeft, caps.halfTexel ? 0.5f : 0.0f);
    display->init(1, uint16_t(width), uint16_t(height), view, 0);
    display->setThicknessScale(float(width) / float(designWidth));
    display->setThickness(kLineThickness);
    display->setBrightness(0);
    return display;
}

ScreenFrame::ScreenFrame(AppContext& context, Views views) : m_context(context), m_views(std::move(views)) {}

void ScreenFrame::receive(const LogicReturnEvent& event) {
    if (isActive()) m_command = Util::toStdString(event.command());
}

void ScreenFrame::enterFrame(const std::string& controller, Game::IStringConvertor* labels) {
    m_text = std::make_unique<DrawVectorText>(1.0f, 1.0f, kTextSize);
    m_context.inputControllers().setCurrent(controller);
    m_context.setRenderer(this);
    const Util::FrameGeometry& geometry = m_context.geometry();
    m_designWidth = geometry.designWidth;
    m_designHeight = geometry.designHeight;
    resize(geometry.windowWidth, geometry.windowHeight);
    m_display = makeScreenDisplay(m_width, m_height, m_views.display, m_designWidth);
    for (int view : m_views.cleared) {
        gfx::setViewClear(viewId(view), gfx::Clear::Colour | gfx::Clear::Depth, 0x000000ff, 1.0f, 0);
    }
    if (labels) m_context.setStringConvertor(labels);
    if (wantsVectorMenus()) {
        m_context.setInputRenderer(std::make_unique<Vector::VectorInputRenderer>(*m_display, m_text.get()));
    }
    m_command.clear();
}

void ScreenFrame::leaveFrame(bool touchBase) {
    m_context.setRenderer(nullptr);
    if (touchBase) gfx::touch(viewId(m_views.base));
    // The vector menus write with the text and draw on the display: they go first.
    m_context.setInputRenderer(nullptr);
    m_context.setStringConvertor(nullptr);
    m_text.reset();
    m_display.reset();
}

void ScreenFrame::resize(int width, int height) {
    gfx::setViewRect(viewId(m_views.base), 0, 0, uint16_t(width), uint16_t(height));
    m_width = width;
    m_height = height;
    const float widthRatio = float(width) / float(m_designWidth);
    if (m_display) {
        m_display->resize(uint16_t(width), uint16_t(height));
        m_display->setThicknessScale(widthRatio);
    }
    if (m_text) m_text->init(float(height), widthRatio, float(height) / float(m_designHeight));
}

void ScreenFrame::render(const Util::FrameGeometry& frame) {
    if (frame.windowWidth != m_width || frame.windowHeight != m_height) resize(frame.windowWidth, frame.windowHeight);
    m_designWidth = frame.designWidth;
    m_designHeight = frame.designHeight;
    gfx::touch(viewId(m_views.base));
    drawPicture();
}

}  // namespace Zelmo
