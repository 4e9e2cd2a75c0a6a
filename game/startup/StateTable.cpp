#include "game/startup/StateTable.h"

#include <memory>

#include "engine/shell/AppContext.h"
#include "game/config/InputMethods.h"
#include "game/screens/ControlsLogicView.h"
#include "game/screens/GameOverLogicView.h"
#include "game/screens/HelpLogicView.h"
#include "game/screens/IntroLogicView.h"
#include "game/screens/OptionsLogicView.h"
#include "game/screens/PauseLogicView.h"
#include "game/screens/TitleLogicView.h"
#include "game/startup/ExitLogic.h"
#include "game/startup/InitLogic.h"
#include "game/startup/InputMethodLogic.h"
#include "game/world/GameLogic.h"

namespace Zelmo {
namespace {

std::vector<Game::LogicTransition> toInit(const std::string& otherwise) {
    return {{kStandardMethod, "INIT"},
            {kHeadTrackerMethod, "INIT"},
            {kOneSwitchMethod, "INIT"},
            {kOneKeyMethod, "INIT"},
            {"*", otherwise}};
}

}  // namespace

void registerStates(AppContext& context) {
    Game::LogicController& logic = context.logicController();
    logic.add("PREINIT", std::make_unique<InitLogic>(context), toInit("PICK"));
    logic.add("PICK", std::make_unique<Game::InputMethodLogic>(context.inputControllers()), toInit("EXIT"));
    logic.add("INIT", std::make_unique<InitLogic>(context), {});
    logic.add("INTRO", std::make_unique<IntroLogicView>(context), {});
    logic.add(
        "TITLE", std::make_unique<TitleLogicView>(context),
        {{"QUIT", "EXIT"}, {"NEWGAME", "RUNNING"}, {"CONTROLS", "CONTROLS"}, {"OPTIONS", "OPTIONS"}, {"HELP", "HELP"}});
    logic.add("CONTROLS", std::make_unique<ControlsLogicView>(context), {{"*", "TITLE"}});
    logic.add("OPTIONS", std::make_unique<OptionsLogicView>(context), {{"*", "TITLE"}});
    logic.add("HELP", std::make_unique<HelpLogicView>(context), {{"*", "TITLE"}});
    logic.add("RUNNING", std::make_unique<GameLogic>(context),
              {{"QUIT", "TITLE"},
               {"PAUSE", "PAUSE"},
               {"DEAD", "RUNNING"},
               {"NEXTLEVEL", "RUNNING"},
               {"WON", "GAMEOVER"},
               {"LOST", "GAMEOVER"}});
    logic.add("PAUSE", std::make_unique<PauseLogicView>(context), {{"QUIT", "TITLE"}, {"RESUME", "RUNNING"}});
    logic.add("GAMEOVER", std::make_unique<GameOverLogicView>(context), {{"DONE", "TITLE"}});
    logic.add("EXIT", std::make_unique<ExitLogic>(context), {});
}

}  // namespace Zelmo
