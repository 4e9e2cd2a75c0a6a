#include "game/screens/IntroLogicView.h"

#include "engine/shell/AppContext.h"
#include "game/config/ConfigReaders.h"

namespace Zelmo {
namespace {

// Below the overlay's view, which the input areas are drawn on: a clear after it would wipe
// the hint off the picture.
constexpr int kBaseView = 136;
constexpr int kIntroSound = 44;

}  // namespace

IntroLogicView::IntroLogicView(AppContext& context) : DrawingScreen(context, kBaseView) {}

void IntroLogicView::enter(const Game::LogicEntry&, const std::string&) {
    showDrawing(readGameTable().introDrawing, "INTRO");
    m_introVoice = m_context.soundController().play(kIntroSound, 100, 0);
}

std::string IntroLogicView::update(float dtMs) {
    play(dtMs);
    if (!m_command.empty()) leave("THIS");
    return m_command;
}

void IntroLogicView::leave(const std::string&) {
    m_context.soundController().stop(m_introVoice);
    m_introVoice = 0;
    hideDrawing();
}

}  // namespace Zelmo
