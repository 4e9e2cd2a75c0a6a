#include "game/screens/DrawingScreen.h"

#include "engine/gfx/Gfx.h"
#include "engine/gfx/ShaderLoader.h"
#include "engine/shell/AppContext.h"
#include "engine/util/FlatText.h"
#include "game/screens/ScreenFrame.h"

namespace Zelmo {
namespace {

const std::string kDataFolder = "data";

}  // namespace

DrawingScreen::DrawingScreen(AppContext& context, int baseView) : m_context(context), m_baseView(baseView) {}

DrawingScreen::~DrawingScreen() { gfx::destroy(m_program); }

void DrawingScreen::receive(const IntroSpeedEvent& event) { m_speed = event.speed(); }

void DrawingScreen::receive(const LogicReturnEvent& event) {
    if (isActive()) m_command = Util::toStdString(event.command());
}

void DrawingScreen::showDrawing(const std::string& drawingName, const std::string& controller) {
    if (!m_factory) m_factory = std::make_unique<Vector::DrawingFactory>(kDataFolder + "/VectorDrawing.fbs");
    m_drawing = m_factory->create(kDataFolder + "/" + drawingName);
    m_text = std::make_unique<DrawVectorText>(1.0f, 1.0f, 512.0f);
    const Util::FrameGeometry& geometry = m_context.geometry();
    m_designWidth = geometry.designWidth;
    m_designHeight = geometry.designHeight;
    m_program = Game::loadShaderProgram("vtx-color", "vtx-color");
    m_layerDisplays.clear();
    for (int layer = 0; layer <= m_drawing->highestLayer(); ++layer) {
        m_layerDisplays.push_back(makeScreenDisplay(geometry.windowWidth, geometry.windowHeight,
                                                    kFirstLayerView + kViewsPerLayer * layer, m_designWidth));
    }
    resize(geometry.windowWidth, geometry.windowHeight);
    gfx::setViewClear(gfx::ViewId(m_baseView), gfx::Clear::Colour | gfx::Clear::Depth, 0x000000ff, 1.0f, 0);
    m_context.inputControllers().setCurrent(controller);
    m_context.setRenderer(this);
    m_waiting = false;
    m_command.clear();
}

void DrawingScreen::play(float dtMs) {
    m_drawing->update(dtMs * m_speed);
    if (m_drawing->done() && m_command.empty()) m_command = "DONE";
}

void DrawingScreen::hideDrawing() {
    m_context.setRenderer(nullptr);
    m_layerDisplays.clear();
    m_drawing.reset();
    m_text.reset();
    gfx::destroy(m_program);
    m_program = gfx::ProgramHandle();
    gfx::touch(gfx::ViewId(m_baseView));
}

void DrawingScreen::resize(int width, int height) {
    gfx::setViewRect(gfx::ViewId(m_baseView), 0, 0, uint16_t(width), uint16_t(height));
    m_width = width;
    m_height = height;
    const float widthRatio = float(width) / float(m_designWidth);
    for (auto& display : m_layerDisplays) {
        display->resize(uint16_t(width), uint16_t(height));
        display->setThicknessScale(widthRatio);
    }
    m_text->init(float(height), widthRatio, float(height) / float(m_designHeight));
}

void DrawingScreen::render(const Util::FrameGeometry& frame) {
    if (!m_drawing) return;
    if (frame.windowWidth != m_width || frame.windowHeight != m_height) resize(frame.windowWidth, frame.windowHeight);
    m_designWidth = frame.designWidth;
    m_designHeight = frame.designHeight;
    gfx::touch(gfx::ViewId(m_baseView));
    for (size_t layer = 0; layer < m_layerDisplays.size(); ++layer) {
        VectorDisplay& display = *m_layerDisplays[layer];
        display.beginFrame();
        m_drawing->draw(int(layer), display, m_program, m_waiting ? nullptr : m_text.get(), m_speed);
        drawOverLayer(int(layer), display);
        display.endFrame(layer == 0);
    }
}

}  // namespace Zelmo
