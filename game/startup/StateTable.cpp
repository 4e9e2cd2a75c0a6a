#include "game/startup/StateTable.h"

#include <memory>

#include "engine/shell/AppContext.h"
#include "game/config/InputMethods.h"
#include "game/startup/ExitLogic.h"
#include "game/startup/InitLogic.h"
#include "game/startup/InputMethodLogic.h"
#include "game/startup/PlaceholderState.h"
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
    Game::LogicController& l_logic = context.logicController();
    auto l_placeholder = [&context](const std::string& command, const std::string& onEscape) {
        return std::make_unique<PlaceholderState>(context, command, onEscape);
    };
    l_logic.add("PREINIT", std::make_unique<InitLogic>(context), toInit("PICK"));
    l_logic.add("PICK", std::make_unique<Game::InputMethodLogic>(context.inputControllers()), toInit("EXIT"));
    l_logic.add("INIT", std::make_unique<InitLogic>(context), {});
    l_logic.add("INTRO", l_placeholder("*", ""), {});
    l_logic.add("TITLE", l_placeholder("", "QUIT"),
                {{"QUIT", "EXIT"}, {"NEWGAME", "RUNNING"}, {"CONTROLS", "CONTROLS"}, {"OPTIONS", "OPTIONS"},
                 {"HELP", "HELP"}});
    l_logic.add("CONTROLS", l_placeholder("", "*"), {{"*", "TITLE"}});
    l_logic.add("OPTIONS", l_placeholder("", "*"), {{"*", "TITLE"}});
    l_logic.add("HELP", l_placeholder("", "*"), {{"*", "TITLE"}});
    l_logic.add("RUNNING", std::make_unique<GameLogic>(context),
                {{"QUIT", "TITLE"}, {"PAUSE", "PAUSE"}, {"DEAD", "RUNNING"}, {"NEXTLEVEL", "RUNNING"},
                 {"WON", "GAMEOVER"}, {"LOST", "GAMEOVER"}});
    l_logic.add("PAUSE", l_placeholder("", "QUIT"), {{"QUIT", "TITLE"}, {"RESUME", "RUNNING"}});
    l_logic.add("GAMEOVER", l_placeholder("", "DONE"), {{"DONE", "TITLE"}});
    l_logic.add("EXIT", std::make_unique<ExitLogic>(context), {});
}

}  // namespace Zelmo
