#include <gtest/gtest.h>

#include <string>

#include "game/input/ActionParameterCheck.h"

namespace {

struct ParameterCase {
    const char* name;
    const char* param;
    const char* fault;  // empty: the parameter is fine
};

TEST(ActionParameterCheck, FindsNumberParametersTheGameCannotUse) {
    const ParameterCase cases[] = {
        {"START_ACTION", "0", ""},
        {"STOP_ACTION", "2", ""},
        {"START_ACTION", " 1 ", ""},
        {"START_ACTION", "3", "START_ACTION \"3\": no player button has this number (0 to 2)"},
        {"STOP_ACTION", "-1", "STOP_ACTION \"-1\": no player button has this number (0 to 2)"},
        {"START_ACTION", "punch", "START_ACTION \"punch\": not a whole number"},
        {"START_ACTION", "", "START_ACTION \"\": not a whole number"},
        {"START_ACTION", "1.5", "START_ACTION \"1.5\": not a whole number"},
        {"STOP_ACTION", "2x", "STOP_ACTION \"2x\": not a whole number"},
        {"START_ACTION", "99999999999", "START_ACTION \"99999999999\": not a whole number"},
        {"INTRO_SPEED", "1.5", ""},
        {"INTRO_SPEED", "0", ""},
        {"INTRO_SPEED", "2e-1", ""},
        {"INTRO_SPEED", "fast", "INTRO_SPEED \"fast\": not a number"},
        {"INTRO_SPEED", "", "INTRO_SPEED \"\": not a number"},
        {"INTRO_SPEED", "1,5", "INTRO_SPEED \"1,5\": not a number"},
        {"START_MOVE", "UP RT", ""},
        {"LOGIC_RETURN", "", ""},
        {"start_action", "punch", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " \"" + c.param + "\"");
        EXPECT_EQ(Zelmo::actionParameterFault(Input::ActionId(c.name, c.param)), c.fault);
    }
}

}  // namespace
