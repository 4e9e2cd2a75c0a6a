// Every action of every shipped input file must carry a parameter the game can read when the
// action fires; a bad one would otherwise stop the game at a key press.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/InputConfig_generated.h"
#include "data/config_generated.h"
#include "engine/data/Info.h"
#include "engine/util/FlatText.h"
#include "game/config/ConfigReaders.h"
#include "game/config/InputMethods.h"
#include "game/input/ActionParameterCheck.h"

namespace {

using Input::Config::ActionsDef;

std::vector<std::string> shippedInputFiles() {
    std::vector<std::string> files = {"data/INPUT-METHOD-PICK.json", "data/PICK-SWITCH-OR-HEAD.json",
                                      "data/PICK-SWITCH.json"};
    Game::Info config;
    EXPECT_TRUE(config.loadSchema("data/config.fbs"));
    EXPECT_NE(config.loadData("data/config"), nullptr);
    for (const std::string& method : Zelmo::kInputMethods) {
        for (const auto& input : Zelmo::readInputs(method, flatbuffers::GetRoot<Zelmo::ConfigRoot>(config.data()))) {
            files.push_back(input.path);
        }
    }
    return files;
}

void checkActions(const ActionsDef* actions, const std::string& where, std::vector<std::string>& faults) {
    if (!actions) return;
    for (const auto* list : {actions->press(), actions->release(), actions->hold(), actions->held_release()}) {
        if (!list) continue;
        for (const auto* action : *list) {
            const std::string fault = Zelmo::actionParameterFault(
                Input::ActionId(Util::toStdString(action->name()), Util::toStdString(action->param())));
            if (!fault.empty()) faults.push_back(where + ": " + fault);
        }
    }
}

TEST(ActionParameterLint, EveryShippedActionHasAReadableParameter) {
    for (const std::string& file : shippedInputFiles()) {
        Game::Info info;
        ASSERT_TRUE(info.loadSchema("data/InputConfig.fbs"));
        ASSERT_NE(info.loadData(file), nullptr) << file;
        const auto* root = flatbuffers::GetRoot<Input::Config::InputConfig>(info.data());
        std::vector<std::string> faults;
        const auto* switches = root->switches();
        for (flatbuffers::uoffset_t index = 0; switches && index < switches->size(); ++index) {
            const auto* theSwitch = switches->Get(index);
            const std::string where = file + " switch " + std::to_string(index);
            checkActions(theSwitch->actions(), where, faults);
            if (!theSwitch->triggers()) continue;
            for (const auto* trigger : *theSwitch->triggers()) checkActions(trigger->actions(), where, faults);
        }
        EXPECT_TRUE(faults.empty()) << faults.front();
    }
}

}  // namespace
