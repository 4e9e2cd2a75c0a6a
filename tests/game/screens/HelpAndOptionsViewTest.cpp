#include <gtest/gtest.h>

#include <set>

#include "game/config/TuningTable.h"
#include "game/input/GetExternalTrigger.h"
#include "game/input/GlobalInputRefs.h"
#include "game/screens/HelpLogicView.h"
#include "game/screens/OptionChoices.h"
#include "game/screens/OptionsLogicView.h"
#include "tests/game/screens/ScreenFixture.h"

namespace {

using Zelmo::HelpLogicView;
using Zelmo::OptionsLogicView;

// The help and options screens over their controllers: empty ones, or a method's shipped page.
class PagedScreenTest : public ScreenFixture {
protected:
    PagedScreenTest() {
        for (const char* page : {"HELP", "OPTIONS"}) {
            context.inputControllers().add(page, std::make_unique<Input::InputController>(page, nullptr, nullptr));
        }
        EXPECT_TRUE(Zelmo::loadTuningTable());
        Zelmo::installKeyBindings();
    }
    void TearDown() override {
        help.reset();
        options.reset();
        Zelmo::settings().clear();
        ScreenFixture::TearDown();
    }

    void loadShipped(const std::string& method, const std::string& page) {
        static Zelmo::GlobalInputRefs s_refs;
        static const bool s_loaded = s_refs.load("data/Accessibility.fbs", "data/accessibility");
        ASSERT_TRUE(s_loaded);
        Input::InputControllers& controllers = context.inputControllers();
        ASSERT_TRUE(controllers.loadSchema("data/InputConfig.fbs"));
        ASSERT_TRUE(controllers.load(page, "data/input/" + method + "/" + page + ".json", &s_refs));
    }
    Input::InputController& controller(const std::string& name) { return *context.inputControllers().find(name); }
    int controllerPage(const std::string& name) { return controller(name).getScreenAreaController().getPage(); }

    std::unique_ptr<HelpLogicView> help = std::make_unique<HelpLogicView>(context);
    std::unique_ptr<OptionsLogicView> options = std::make_unique<OptionsLogicView>(context);
};

TEST_F(PagedScreenTest, HelpPagesGoRoundAndOnlyTheShownOneIsDrawnOrReached) {
    enter(*help, "TITLE");
    EXPECT_EQ(help->page(), 0);
    EXPECT_EQ(controllerPage("HELP"), 1);
    const struct {
        const char* action;
        const char* param;
        int page;
    } steps[] = {{"PAGE_DEC", "HELP", 5}, {"PAGE_INC", "HELP", 0}, {"PAGE_INC", "HELP_PAGES", 1},
                 {"PAGE_INC", "OPT", 1},  {"PAGE_DEC", "", 1},     {"PAGE_INC", "HELP", 2}};
    for (const auto& step : steps) {
        act(step.action, step.param);
        EXPECT_EQ(help->page(), step.page) << step.action << " " << step.param;
        EXPECT_EQ(controllerPage("HELP"), step.page + 1) << "the pointer reaches the page shown";
    }
    EXPECT_TRUE(help->isRendered("PAGE3_TEXT1"));
    EXPECT_FALSE(help->isRendered("PAGE2_TEXT1"));
    EXPECT_FALSE(help->isRendered("PAGE4_HEADING"));
    EXPECT_TRUE(help->isRendered("NEXT"));
}

TEST_F(PagedScreenTest, HelpShowsBoundControlsOnlyWhileItRuns) {
    Zelmo::setPref("INPUT_KEY_P", "KEY:UP");
    EXPECT_EQ(help->convert("PUNCH [KEY:P]"), "PUNCH [KEY:P]");
    enter(*help, "TITLE");
    EXPECT_EQ(help->convert("PUNCH [KEY:P] [SPACE]"), "PUNCH KEY:UP [SPACE]");
}

TEST_F(PagedScreenTest, LeavingTheHelpKeepsItsPageForTheNextVisit) {
    enter(*help, "TITLE");
    act("PAGE_DEC", "HELP");
    act("LOGIC_RETURN", "BACK");
    EXPECT_EQ(help->update(16), "BACK");
    EXPECT_EQ(help->display(), nullptr);
    EXPECT_EQ(controllerPage("HELP"), 0) << "the controller shows every page again";
    help->setActive(false);
    act("PAGE_INC", "HELP");
    EXPECT_EQ(help->page(), 5) << "not turned while another state runs";
    enter(*help, "TITLE");
    EXPECT_EQ(help->page(), 5);
    EXPECT_EQ(controllerPage("HELP"), 6);
}

TEST_F(PagedScreenTest, OptionsPagesGoRoundWithTheControllerAndAreKeptBetweenVisits) {
    enter(*options, "TITLE");
    EXPECT_EQ(controllerPage("OPTIONS"), 1);
    act("PAGE_DEC", "OPT");
    EXPECT_EQ(options->page(), 3);
    EXPECT_EQ(controllerPage("OPTIONS"), 4);
    act("PAGE_INC", "OPT");
    EXPECT_EQ(options->page(), 0);
    act("PAGE_INC", "HELP");  // another screen's pages
    EXPECT_EQ(options->page(), 0);
    act("PAGE_INC", "OPTIONS");
    EXPECT_EQ(options->page(), 1);
    EXPECT_FALSE(options->isRendered("PAGE1_VAL_PLAYER_LIVES"));
    EXPECT_TRUE(options->isRendered("PAGE2_VAL_PUNCH_DMG"));
    EXPECT_TRUE(options->isRendered("BACK"));
    act("LOGIC_RETURN", "BACK");
    EXPECT_EQ(options->update(16), "BACK");
    EXPECT_EQ(controllerPage("OPTIONS"), 0);
    options->setActive(false);
    enter(*options, "TITLE");
    EXPECT_EQ(options->page(), 1);
    EXPECT_EQ(controllerPage("OPTIONS"), 2);
}

TEST_F(PagedScreenTest, ValueAreasStepTheirOptionWhileTheirPageIsShown) {
    Zelmo::setPref("OPT_PLAYER_LIVES", "0");
    enter(*options, "TITLE");
    EXPECT_EQ(options->convert("LIVES [OPT_PLAYER_LIVES]"), "LIVES 3");
    act("OPTION_INC", "PAGE1_VAL_PLAYER_LIVES");
    EXPECT_EQ(Zelmo::getPref("OPT_PLAYER_LIVES"), "1");
    EXPECT_EQ(options->convert("LIVES [OPT_PLAYER_LIVES]"), "LIVES 5");
    act("OPTION_DEC", "PAGE1_VAL_PLAYER_LIVES");
    act("OPTION_DEC", "PAGE1_VAL_PLAYER_LIVES");
    EXPECT_EQ(Zelmo::getPref("OPT_PLAYER_LIVES"), "3") << "back from the first value to the last";
    act("OPTION_INC", "PAGE2_VAL_PLAYER_LIVES");  // not the page shown
    act("OPTION_INC", "PAGE1_VAL_NO_SUCH_OPTION");
    EXPECT_EQ(Zelmo::getPref("OPT_PLAYER_LIVES"), "3");
    EXPECT_EQ(Zelmo::settings().count("PREF_OPT_NO_SUCH_OPTION"), 0u);
    options->setActive(false);
    act("OPTION_INC", "PAGE1_VAL_PLAYER_LIVES");
    EXPECT_EQ(Zelmo::getPref("OPT_PLAYER_LIVES"), "3") << "not stepped while another state runs";
    EXPECT_EQ(options->convert("[OPT_PLAYER_LIVES]"), "[OPT_PLAYER_LIVES]");
}

TEST_F(PagedScreenTest, GoingToAnAreaOfThePageShown) {
    loadShipped("ONESWITCH", "OPTIONS");
    enter(*options, "TITLE");
    act("GOTO_PAGE_AREA", "NEXT");
    EXPECT_EQ(controller("OPTIONS").getCurrentAreaName(), "PAGE1_NEXT");
    act("PAGE_INC", "OPT");
    act("GOTO_PAGE_AREA", "BACK");
    EXPECT_EQ(controller("OPTIONS").getCurrentAreaName(), "PAGE2_BACK");
}

// Every option of the tuning table has one value area in each method's pages, and every value
// area names an option: a typo in the pages would show a value that never changes.
TEST_F(PagedScreenTest, TheShippedPagesStepEveryOptionOnce) {
    for (const std::string method : {"STANDARD", "ONEKEY", "ONESWITCH", "HEADTRACKER"}) {
        loadShipped(method, "OPTIONS");
        std::multiset<std::string> stepped;
        for (const auto& area : controller("OPTIONS").getScreenAreaController().getAreas()) {
            const std::string& name = area->getName();
            if (name.find("_VAL_") == std::string::npos) continue;
            const int page = name[4] - '1';
            const std::string setting = Zelmo::optionSettingOfArea(name, page);
            stepped.insert(setting);
            Zelmo::setPref(setting, "0");
            EXPECT_TRUE(Zelmo::stepOption(setting, true)) << method << " " << name;
            EXPECT_EQ(area->getLabel(), "[" + setting + "]") << method << " " << name;
        }
        for (const auto& option : Zelmo::gameOptionNames()) {
            EXPECT_EQ(stepped.count("OPT_" + option), 1u) << method << " " << option;
        }
    }
}

}  // namespace
