#include "game/startup/SetUp.h"

#include <cstdio>
#include <memory>

#include "engine/shell/AppContext.h"
#include "engine/util/Fatal.h"
#include "game/config/TuningTable.h"
#include "game/input/GetExternalTrigger.h"
#include "game/input/InputActionHandler.h"
#include "game/startup/DeferredEvents.h"
#include "game/startup/StateTable.h"
#include "game/world/LevelCheck.h"

namespace Zelmo {
namespace {

const std::string kInputFolder = "data";

// The method picker's three questions, loaded before any state runs.
const char* const kPickControllers[][2] = {
    {"INPUT-METHOD", "/INPUT-METHOD-PICK.json"},
    {"SWITCH-OR-HEAD", "/PICK-SWITCH-OR-HEAD.json"},
    {"PICK-SWITCH", "/PICK-SWITCH.json"},
};

}  // namespace

bool setUp(const CommandLine& commandLine, AppContext& context) {
    if (!commandLine.out.empty()) {
        // Created empty and held open for the whole run; nothing is written to it.
        static std::FILE* s_out = std::fopen(commandLine.out.c_str(), "w");
        (void)s_out;
    }
    context.addUpdateHook(flushDeferredEvents);
    // Without the tuning table every value reads as its default, and the first check to need one
    // would blame a field that is not at fault.
    if (!loadTuningTable()) Util::fatal("Failed to load: " + Globals::loadError());
    checkLevelData();
    context.inputControllers().setActionHandler(std::make_shared<InputActionHandler>(&context));
    return setUpInputAndStates(context);
}

bool setUpInputAndStates(AppContext& context) {
    installKeyBindings();
    Input::InputControllers& controllers = context.inputControllers();
    if (!controllers.loadSchema(kInputFolder + "/InputConfig.fbs")) return false;
    for (const auto& pick : kPickControllers) {
        if (!controllers.load(pick[0], kInputFolder + pick[1], nullptr)) {
            std::fprintf(stderr, "%s\n", controllers.loadError().c_str());
            return false;
        }
    }
    registerStates(context);
    return true;
}

}  // namespace Zelmo
