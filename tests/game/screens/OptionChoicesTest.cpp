#include <gtest/gtest.h>

#include "game/config/Settings.h"
#include "game/config/TuningTable.h"
#include "game/screens/MenuPages.h"
#include "game/screens/OptionChoices.h"
#include "tests/engine/util/TempFolder.h"

namespace {

// Three values, and one option left without any.
const char* const kOptionTuning = R"({"option_values": [
  {"name": "OPT_SPEED", "values": [{"value": 1.0, "label": "NORMAL"}, {"value": 2.0, "label": "FAST"},
                                   {"value": 0.5, "label": "SLOW"}]},
  {"name": "OPT_EMPTY", "values": []}]})";

class OptionChoices : public ::testing::Test {
protected:
    void SetUp() override {
        Zelmo::settings().clear();
        folder.write("globals.json", kOptionTuning);
        ASSERT_TRUE(Globals::loadFiles("data/Globals.fbs", folder.path("globals"), Zelmo::tuningFieldSlots()));
    }
    void TearDown() override {
        Zelmo::settings().clear();
        ASSERT_TRUE(Zelmo::loadTuningTable());  // the shipped table again, for the tests after
    }

    TempFolder folder;
};

TEST_F(OptionChoices, StepBothWaysAndGoRoundAtTheEnds) {
    const struct {
        const char* stored;
        bool forward;
        const char* expected;
    } cases[] = {{"0", true, "1"}, {"1", true, "2"}, {"2", true, "0"},  {"0", false, "2"}, {"2", false, "1"},
                 {"", true, "1"},  {"7", true, "0"}, {"7", false, "0"}, {"-1", true, "0"}, {"-1", false, "2"}};
    for (const auto& each : cases) {
        Zelmo::setPref("OPT_SPEED", each.stored);
        EXPECT_TRUE(Zelmo::stepOption("OPT_SPEED", each.forward));
        EXPECT_EQ(Zelmo::getPref("OPT_SPEED"), each.expected) << each.stored << (each.forward ? " on" : " back");
    }
}

// A value area that names no option (or one without values) changes no setting.
TEST_F(OptionChoices, AreasThatNameNoOptionAreIgnored) {
    for (const char* setting : {"OPT_NOSUCH", "OPT_EMPTY", "PAGE2_VAL_SPEED", ""}) {
        EXPECT_FALSE(Zelmo::stepOption(setting, true)) << setting;
        EXPECT_FALSE(Zelmo::stepOption(setting, false)) << setting;
        EXPECT_EQ(Zelmo::settings().count(std::string("PREF_") + setting), 0u) << setting;
    }
}

TEST_F(OptionChoices, ValueAreasNameTheirOptionOnTheirOwnPage) {
    EXPECT_EQ(Zelmo::optionSettingOfArea("PAGE2_VAL_SPEED", 1), "OPT_SPEED");
    EXPECT_EQ(Zelmo::optionSettingOfArea("PAGE1_VAL_SPEED", 0), "OPT_SPEED");
    // An area of another page names nothing while this one is shown.
    EXPECT_EQ(Zelmo::optionSettingOfArea("PAGE2_VAL_SPEED", 0), "PAGE2_VAL_SPEED");
    EXPECT_EQ(Zelmo::optionSettingOfArea("BACK", 0), "BACK");
}

TEST_F(OptionChoices, LabelsShowTheChosenValueAndMendAnIndexOutOfRange) {
    const struct {
        const char* stored;
        const char* shown;
        const char* storedAfter;
    } cases[] = {{"0", "NORMAL", "0"}, {"1", "FAST", "1"},    {"2", "SLOW", "2"},
                 {"3", "NORMAL", "0"}, {"-1", "NORMAL", "0"}, {"", "NORMAL", ""}};
    for (const auto& each : cases) {
        Zelmo::setPref("OPT_SPEED", each.stored);
        EXPECT_EQ(Zelmo::fillOptionLabels("SPEED: [OPT_SPEED] / [OPT_SPEED]"),
                  std::string("SPEED: ") + each.shown + " / " + each.shown)
            << each.stored;
        EXPECT_EQ(Zelmo::getPref("OPT_SPEED"), each.storedAfter) << each.stored;
    }
    EXPECT_EQ(Zelmo::fillOptionLabels("[OPT_EMPTY] [OPT_NOSUCH] [SPEED]"), "[OPT_EMPTY] [OPT_NOSUCH] [SPEED]");
}

TEST(MenuPages, AreasBelongToTheirPageAndTheRestToEvery) {
    const struct {
        const char* area;
        int page;
        bool shown;
    } cases[] = {{"PAGE1_TEXT1", 0, true}, {"PAGE2_TEXT1", 0, false}, {"PAGE2_VAL_LIVES", 1, true},
                 {"PAGE4_BACK", 3, true},  {"PAGE4_BACK", 2, false},  {"BACK", 0, true},
                 {"NEXT", 5, true},        {"HEADING", 3, true},      {"PAGE6_HEADING", 5, true}};
    for (const auto& each : cases) {
        EXPECT_EQ(Zelmo::isAreaOnPage(each.area, each.page), each.shown) << each.area << " on " << each.page;
    }
}

TEST(MenuPages, StepRoundAtBothEnds) {
    EXPECT_EQ(Zelmo::stepPage(0, false, 6), 5);
    EXPECT_EQ(Zelmo::stepPage(5, true, 6), 0);
    EXPECT_EQ(Zelmo::stepPage(2, true, 4), 3);
    EXPECT_EQ(Zelmo::stepPage(3, true, 4), 0);
    EXPECT_EQ(Zelmo::stepPage(1, false, 4), 0);
}

}  // namespace
