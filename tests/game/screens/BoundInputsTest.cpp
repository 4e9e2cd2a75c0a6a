#include <gtest/gtest.h>

#include <set>

#include "engine/input/InputControllers.h"
#include "game/config/Config.h"
#include "game/config/Settings.h"
#include "game/input/GetExternalTrigger.h"
#include "game/input/GlobalInputRefs.h"
#include "game/screens/BoundInputs.h"

namespace {

class BoundInputs : public ::testing::Test {
protected:
    void SetUp() override {
        Zelmo::settings().clear();
        Zelmo::installKeyBindings();
        for (const auto& [slot, bound] : {std::pair<const char*, const char*>{"INPUT_KEY_W", "KEY:w"},
                                          {"INPUT_KEY_P", "KEY:p"},
                                          {"INPUT_KEY_SPACE", "KEY:SPACE"},
                                          {"INPUT_MOUSE_LMB", "MOUSE:LMB"},
                                          {"INPUT_JPAD_B1", "JPAD: B1"}}) {
            Zelmo::setPref(slot, bound);
        }
    }
    void TearDown() override { Zelmo::settings().clear(); }
};

TEST_F(BoundInputs, PlaceholdersShowWhatThePlayerHasBound) {
    const struct {
        const char* slot;  // rebound before filling; null for none
        const char* bound;
        const char* text;
        const char* shown;
    } cases[] = {
        {nullptr, nullptr, "WALK WITH [KEY:W], PUNCH WITH [KEY:P]", "WALK WITH KEY:W, PUNCH WITH KEY:P"},
        {nullptr, nullptr, "[KEY:SPACE] [MOUSE:LMB] [JPAD:B1]", "KEY:SPACE LMB JPAD:B1"},
        {nullptr, nullptr, "[KEY:P] OR [KEY:P]", "KEY:P OR KEY:P"},
        {"INPUT_KEY_P", "KEY:UP", "PUNCH: [KEY:P]", "PUNCH: KEY:UP"},
        {"INPUT_KEY_P", "KEY:PAGE_UP", "[KEY:P]", "KEY:PAGE UP"},
        {"INPUT_KEY_P", "KEY:CTRL x", "[KEY:P]", "KEY:X"},  // modifiers are not shown
        {"INPUT_KEY_W", "MOUSE:RMB", "[KEY:W]", "RMB"},     // the slot decides only where to look
        {"INPUT_MOUSE_LMB", "JPAD: B3", "[MOUSE:LMB]", "JPAD:B3"},
        {"INPUT_JPAD_B1", "KEY:l", "[JPAD:B1]", "KEY:L"},
        // Keys without a slot cannot be rebound: they show themselves.
        {nullptr, nullptr, "[KEY:ESC] [KEY:UP]", "KEY:ESC KEY:UP"},
        // Bound to something without a name, or to nothing that fires: left as written.
        {"INPUT_KEY_P", "WHEEL_UP:", "[KEY:P]", "[KEY:P]"},
        {"INPUT_KEY_P", "KEY:NOSUCHKEY", "[KEY:P]", "[KEY:P]"},
    };
    for (const auto& each : cases) {
        SetUp();
        if (each.slot) Zelmo::setPref(each.slot, each.bound);
        EXPECT_EQ(Zelmo::fillBoundInputs(each.text), each.shown)
            << each.text << " with " << (each.bound ? each.bound : "");
    }
}

// A help text's own bracketed words are no trigger texts: they stay, and nothing stops.
TEST_F(BoundInputs, BracketedWordsThatAreNoControlsStayAsWritten) {
    for (const char* text : {"[SPACE]", "[OPT_LIVES]", "[KEY:NOSUCHKEY]", "[KEY:]", "[WHEEL_UP:]", "[DWELL:x]",
                             "[EXTERNAL:W]", "[UNDEF:]", "[KEY W]", "[]", "[KEY:W", "KEY:W]"}) {
        EXPECT_EQ(Zelmo::fillBoundInputs(text), text);
    }
    EXPECT_EQ(Zelmo::fillBoundInputs("[SPACE] [KEY:W] [TAB]"), "[SPACE] KEY:W [TAB]");
}

// Every control the shipped help names is one the configuration binds, in every method: a typo
// would show the player brackets.
TEST_F(BoundInputs, TheShippedHelpNamesOnlyBoundControls) {
    ASSERT_TRUE(Zelmo::loadConfig(Zelmo::kDefaultConfigName, "no-preferences-for-help.cfg"));
    Zelmo::GlobalInputRefs timings;
    ASSERT_TRUE(timings.load("data/Accessibility.fbs", "data/accessibility"));
    for (const std::string method : {"STANDARD", "ONEKEY", "ONESWITCH", "HEADTRACKER"}) {
        Input::InputControllers controllers;
        ASSERT_TRUE(controllers.loadSchema("data/InputConfig.fbs"));
        ASSERT_TRUE(controllers.load("HELP", "data/input/" + method + "/HELP.json", &timings)) << method;
        std::set<std::string> pagesWithWords;
        for (const auto& area : controllers.find("HELP")->getScreenAreaController().getAreas()) {
            const std::string shown = Zelmo::fillBoundInputs(area->getLabel());
            EXPECT_EQ(shown.find('['), std::string::npos) << method << " " << area->getName() << ": " << shown;
            if (area->getName().find("_TEXT") != std::string::npos) pagesWithWords.insert(area->getName().substr(0, 5));
        }
        EXPECT_EQ(pagesWithWords.size(), 6u) << method;
    }
    Zelmo::unloadConfig();
}

}  // namespace
