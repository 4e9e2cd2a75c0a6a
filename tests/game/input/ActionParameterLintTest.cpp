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
    std::vector<std::string> l_files = {"data/INPUT-METHOD-PICK.json", "data/PICK-SWITCH-OR-HEAD.json",
                                        "data/PICK-SWITCH.json"};
    Game::Info l_config;
    EXPECT_TRUE(l_config.loadSchema("data/config.fbs"));
    EXPECT_NE(l_config.loadData("data/config"), nullptr);
    for (const std::string& l_method : Zelmo::kInputMethods) {
        for (const auto& l_input : Zelmo::readInputs(l_method, flatbuffers::GetRoot<Zelmo::ConfigRoot>(l_config.data()))) {
            l_files.push_back(l_input.path);
        }
    }
    return l_files;
}

void checkActions(const ActionsDef* actions, const std::string& where, std::vector<std::string>& faults) {
    if (!actions) return;
    for (const auto* l_list : {actions->press(), actions->release(), actions->hold(), actions->held_release()}) {
        if (!l_list) continue;
        for (const auto* l_action : *l_list) {
            const std::string l_fault = Zelmo::actionParameterFault(
                Input::ActionId(Util::toStdString(l_action->name()), Util::toStdString(l_action->param())));
            if (!l_fault.empty()) faults.push_back(where + ": " + l_fault);
        }
    }
}

TEST(ActionParameterLint, EveryShippedActionHasAReadableParameter) {
    for (const std::string& l_file : shippedInputFiles()) {
        Game::Info l_info;
        ASSERT_TRUE(l_info.loadSchema("data/InputConfig.fbs"));
        ASSERT_NE(l_info.loadData(l_file), nullptr) << l_file;
        const auto* l_root = flatbuffers::GetRoot<Input::Config::InputConfig>(l_info.data());
        std::vector<std::string> l_faults;
        const auto* l_switches = l_root->switches();
        for (flatbuffers::uoffset_t l_index = 0; l_switches && l_index < l_switches->size(); ++l_index) {
            const auto* l_switch = l_switches->Get(l_index);
            const std::string l_where = l_file + " switch " + std::to_string(l_index);
            checkActions(l_switch->actions(), l_where, l_faults);
            if (!l_switch->triggers()) continue;
            for (const auto* l_trigger : *l_switch->triggers()) checkActions(l_trigger->actions(), l_where, l_faults);
        }
        EXPECT_TRUE(l_faults.empty()) << l_faults.front();
    }
}

}  // namespace
