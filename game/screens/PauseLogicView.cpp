#include "game/screens/PauseLogicView.h"

#include "engine/gfx/Gfx.h"
#include "engine/shell/AppContext.h"
#include "engine/shell/LogicController.h"

namespace Zelmo {
namespace {

constexpr int kBaseView = 189;
constexpr int kDisplayView = 190;
const std::string kDestructor = "DESTRUCTOR";

}  // namespace

PauseLogicView::PauseLogicView(AppContext& context) : ScreenFrame(context, {kBaseView, kDisplayView, {kBaseView}}) {}

PauseLogicView::~PauseLogicView() { leave(kDestructor); }

void PauseLogicView::enter(const Game::LogicEntry& previous, const std::string&) {
    m_pausedState = previous.name;
    // The game's looping sounds would drone on over the menu; it starts them again on resuming.
    m_context.soundController().stopAll();
    enterFrame("PAUSE", nullptr);
}

std::string PauseLogicView::update(float) {
    if (m_command.empty()) return m_command;
    leave("THIS");
    if (m_command == "QUIT") {
        if (Game::ILogicState* paused = m_context.logicController().find(m_pausedState)) paused->leave("PAUSE");
    }
    return m_command;
}

void PauseLogicView::leave(const std::string& reason) {
    if (!m_display && !m_text) return;
    const bool closing = reason == kDestructor;
    if (!closing) {
        // The game draws its own picture from here on: this view must not clear it.
        gfx::setViewClear(gfx::ViewId(kBaseView), gfx::Clear::None, 0x000000ff, 1.0f, 0);
    }
    leaveFrame(!closing);
}

}  // namespace Zelmo
