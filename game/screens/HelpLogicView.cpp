#include "game/screens/HelpLogicView.h"

#include "engine/shell/AppContext.h"
#include "engine/util/FlatText.h"
#include "engine/util/Text.h"
#include "engine/vector/GameVectors.h"
#include "game/screens/BoundInputs.h"
#include "game/screens/MenuPages.h"

namespace Zelmo {
namespace {

constexpr int kBaseView = 136;
constexpr int kPictureView = 137;
constexpr int kMenuView = 163;
const std::string kController = "HELP";
const std::string kDestructor = "DESTRUCTOR";
// The figures' scales are those of the game's own figures, which the shape library draws at
// about 32 units tall; beside a page of words they are shown this much larger, so that they read
// at a glance as the game's figures do.
constexpr float kFigureEnlargement = 2.0f;

}  // namespace

const std::array<std::vector<HelpLogicView::PageShape>, HelpLogicView::kPageCount>& HelpLogicView::pageShapes() {
    // The player with a blow and the shield; the power-ups; a robot, an arrow and the power-ups
    // its box may hold; a prisoner, a map terminal and the lift; a robot; a tower and a spinner.
    static const std::array<std::vector<PageShape>, kPageCount> s_shapes = {{
        {{26, 0.225f, 0.75f, 0.4f},
         {75, 0.225f, 0.55f, 0.4f},
         {78, 0.225f, 0.35f, 0.4f},
         {78, 0.225f, 0.35f, 0.4f},
         {118, 0.225f, 0.35f, 0.4f}},
        {{124, 0.225f, 0.75f, 0.4f}, {123, 0.225f, 0.55f, 0.4f}, {128, 0.225f, 0.35f, 0.4f}},
        {{4, 0.225f, 0.75f, 0.4f},
         {21, 0.225f, 0.55f, 0.4f},
         {124, 0.185f, 0.35f, 0.4f},
         {123, 0.225f, 0.35f, 0.4f},
         {128, 0.265f, 0.35f, 0.4f}},
        {{121, 0.225f, 0.75f, 0.4f}, {23, 0.225f, 0.55f, 0.4f}, {24, 0.225f, 0.35f, 0.4f}},
        {{0, 0.225f, 0.75f, 0.4f}, {19, 0.225f, 0.55f, 0.4f}, {1, 0.225f, 0.35f, 0.4f}},
        {{20, 0.225f, 0.75f, 0.4f}, {8, 0.225f, 0.55f, 0.4f}, {16, 0.225f, 0.35f, 0.4f}},
    }};
    return s_shapes;
}

HelpLogicView::HelpLogicView(AppContext& context) : ScreenFrame(context, {kBaseView, kMenuView, {kBaseView}}) {}

HelpLogicView::~HelpLogicView() { leave(kDestructor); }

void HelpLogicView::enter(const Game::LogicEntry&, const std::string&) {
    enterFrame(kController, this);
    m_context.setAreaFilter(this);
    m_pictureDisplay = makeScreenDisplay(m_width, m_height, kPictureView, m_designWidth);
    showPage();
}

std::string HelpLogicView::update(float) {
    if (!m_command.empty()) leave("THIS");
    return m_command;
}

void HelpLogicView::leave(const std::string& reason) {
    if (!m_display && !m_text) return;
    m_context.setAreaFilter(nullptr);
    if (Input::InputController* controller = m_context.inputControllers().getCurrent()) controller->setPage(0);
    m_pictureDisplay.reset();
    leaveFrame(reason != kDestructor && reason != kController);
}

std::string HelpLogicView::convert(const std::string& text) { return isActive() ? fillBoundInputs(text) : text; }

bool HelpLogicView::isRendered(const std::string& areaName) const { return isAreaOnPage(areaName, m_page); }

void HelpLogicView::receive(const MenuPageEvent& event) {
    if (!isActive() || !Util::startsWith(Util::toStdString(event.parameter()), kController)) return;
    m_page = stepPage(m_page, event.increase(), kPageCount);
    showPage();
}

// The pointer reaches only the page shown, as the eye does.
void HelpLogicView::showPage() {
    if (Input::InputController* controller = m_context.inputControllers().getCurrent()) controller->setPage(m_page + 1);
}

void HelpLogicView::resize(int width, int height) {
    ScreenFrame::resize(width, height);
    if (m_pictureDisplay) {
        m_pictureDisplay->resize(uint16_t(width), uint16_t(height));
        m_pictureDisplay->setThicknessScale(float(width) / float(m_designWidth));
    }
}

void HelpLogicView::drawPicture() {
    if (m_context.inputControllers().getCurrentName() != kController || !m_pictureDisplay) return;
    VectorDisplay& display = *m_pictureDisplay;
    const float ratio = float(m_width) / float(m_designWidth);
    const GameVectors& shapes = GameVectors::instance();
    display.beginFrame();
    for (const PageShape& each : pageShapes()[size_t(m_page)]) {
        shapes.drawShape(display, 0, uint32_t(each.shape), float(m_width) * each.x, float(m_height) * each.y, 1.0f,
                         each.scale * kFigureEnlargement * ratio, 0, 0.0f);
    }
    display.endFrame(true);
}

}  // namespace Zelmo
