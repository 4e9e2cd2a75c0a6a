#include "game/startup/ExitLogic.h"

#include "engine/gfx/ColourQuad.h"
#include "engine/shell/AppContext.h"
#include "engine/util/Convert.h"
#include "game/config/Preferences.h"
#include "game/config/SettingKeys.h"
#include "game/config/Settings.h"

namespace Zelmo {

void ExitLogic::enter(const Game::LogicEntry&, const std::string&) {
    setPref(Setting::kScreenWidth, Util::intToString(m_context.geometry().windowWidth));
    setPref(Setting::kScreenHeight, Util::intToString(m_context.geometry().windowHeight));
    savePreferences();
    Game::destroyColourProgram();
    m_context.requestQuit();
}

}  // namespace Zelmo
