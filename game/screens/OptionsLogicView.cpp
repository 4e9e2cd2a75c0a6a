#include "game/screens/OptionsLogicView.h"

#include "engine/shell/AppContext.h"
#include "engine/util/FlatText.h"
#include "engine/util/Text.h"
#include "game/screens/MenuPages.h"
#include "game/screens/OptionChoices.h"

namespace Zelmo {
namespace {

constexpr int kBaseView = 136;
constexpr int kMenuView = 163;
const std::string kController = "OPTIONS";
const std::string kPageEventPrefix = "OPT";
const std::string kDestructor = "DESTRUCTOR";

}  // namespace

OptionsLogicView::OptionsLogicView(AppContext& context) : ScreenFrame(context, {kBaseView, kMenuView, {kBaseView}}) {}

OptionsLogicView::~OptionsLogicView() { leave(kDestructor); }

void OptionsLogicView::enter(const Game::LogicEntry&, const std::string&) {
    enterFrame(kController, this);
    m_context.setAreaFilter(this);
    showPage();
}

std::string OptionsLogicView::update(float) {
    if (!m_command.empty()) leave("THIS");
    return m_command;
}

void OptionsLogicView::leave(const std::string& reason) {
    if (!m_display && !m_text) return;
    m_context.setAreaFilter(nullptr);
    if (Input::InputController* controller = m_context.inputControllers().getCurrent()) controller->setPage(0);
    leaveFrame(reason != kDestructor && reason != kController);
}

std::string OptionsLogicView::convert(const std::string& text) { return isActive() ? fillOptionLabels(text) : text; }

bool OptionsLogicView::isRendered(const std::string& areaName) const { return isAreaOnPage(areaName, m_page); }

void OptionsLogicView::receive(const MenuPageEvent& event) {
    if (!isActive() || !Util::startsWith(Util::toStdString(event.parameter()), kPageEventPrefix)) return;
    m_page = stepPage(m_page, event.increase(), kPageCount);
    showPage();
}

void OptionsLogicView::receive(const MenuOptionEvent& event) {
    if (!isActive()) return;
    stepOption(optionSettingOfArea(Util::toStdString(event.parameter()), m_page), event.increase());
}

void OptionsLogicView::receive(const GotoPageAreaEvent& event) {
    if (!isActive()) return;
    if (Input::InputController* controller = m_context.inputControllers().getCurrent()) {
        controller->gotoArea(pagePrefix(m_page) + "_" + Util::toStdString(event.area()));
    }
}

void OptionsLogicView::showPage() {
    if (Input::InputController* controller = m_context.inputControllers().getCurrent()) controller->setPage(m_page + 1);
}

}  // namespace Zelmo
