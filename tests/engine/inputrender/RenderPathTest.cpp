// Which areas the controllers hand to an area renderer, in which order, selected or not, and
// with which countdown.
#include <gmock/gmock.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "RecordingAreaRenderer.h"
#include "engine/input/InputControllers.h"
#include "engine/input/InputHandler.h"
#include "engine/input/ScreenArea.h"

using ::testing::ElementsAre;

namespace {

struct AreaSpec {
    std::string name;
    std::vector<std::string> groups = {};
    bool onTop = false;
};

// Hides the names it holds.
class HidingFilter : public Input::IRenderAreaNameFilter {
public:
    explicit HidingFilter(std::set<std::string> hidden) : m_hidden(std::move(hidden)) {}
    bool isRendered(const std::string& areaName) const override { return m_hidden.count(areaName) == 0; }

private:
    std::set<std::string> m_hidden;
};

class RenderPathTest : public ::testing::Test {
protected:
    // Each area is labelled with its name and selected-labelled "<name>*".
    void addAreas(const std::vector<AreaSpec>& specs) {
        for (const auto& spec : specs) {
            auto area = std::make_unique<Input::ScreenArea>(spec.name);
            area->setMode(1);
            area->setLabel(spec.name);
            area->setSelLabel(spec.name + "*");
            area->setGroups(spec.groups);
            area->setOnTop(spec.onTop);
            areas.add(std::move(area));
        }
    }

    // Adds a switch of the area whose countdowns are all stopped.
    Input::Switch& addSwitch(const std::string& areaName, Input::SwitchColours colours) {
        Input::Switch made;
        made.setAreaFromList(0, {areaName});
        made.setColours(colours);
        return *switches.get(size_t(switches.add(made)));
    }

    std::vector<std::string> drawnLabels(const std::string& current) {
        handler.setArea(current.empty() ? nullptr : areas.find(current));
        RecordingAreaRenderer renderer;
        handler.render(renderer);
        return renderer.labels();
    }

    Input::ScreenAreaController areas;
    Input::SwitchController switches;
    Input::InputHandler handler{areas, switches};
};

}  // namespace

TEST_F(RenderPathTest, WithoutACurrentAreaEveryAreaIsDrawnUnselectedInListOrder) {
    addAreas({{"A"}, {"B", {"A"}}, {"C", {}, true}});
    EXPECT_THAT(drawnLabels(""), ElementsAre("A", "B", "C"));
}

TEST_F(RenderPathTest, TheCurrentAreaAndThoseNamingItAmongTheirGroupsAreSelected) {
    addAreas({{"A", {"X"}}, {"B"}, {"C", {"X", "B"}}, {"D", {"A"}}});
    EXPECT_THAT(drawnLabels("B"), ElementsAre("A", "B*", "C*", "D"));
}

TEST_F(RenderPathTest, SelectedAreasOnTopComeLastAndOnlyTheCurrentOneStaysSelected) {
    addAreas({{"TOP_GROUPED", {"B"}, true}, {"TOP_OTHER", {}, true}, {"B", {}, true}, {"C"}});
    EXPECT_THAT(drawnLabels("B"), ElementsAre("TOP_OTHER", "C", "TOP_GROUPED", "B*"));
}

TEST_F(RenderPathTest, TheFilterHidesAnAreaWhateverItsSelection) {
    addAreas({{"A"}, {"B", {"A"}}, {"C", {}, true}, {"D"}});
    const HidingFilter filter({"A", "B", "C"});
    areas.setRenderFilter(&filter);
    for (const std::string current : {"", "A", "C", "D"}) {
        EXPECT_THAT(drawnLabels(current), ElementsAre(current == "D" ? "D*" : "D")) << current;
    }
}

TEST_F(RenderPathTest, ARecordCarriesTheAreaInTheFormItIsDrawnIn) {
    auto area = std::make_unique<Input::ScreenArea>("A");
    area->setMode(1);
    area->setRect(10, 20, 30, 40);
    area->setColour("0x11111111");
    area->setLabel("plain");
    area->setStyle("0xff,1");
    area->setSelLabel("lit");
    area->setSelStyle("0xff,2");
    areas.add(std::move(area));
    addAreas({{"B", {"A"}}});
    areas.find("B")->setColour("0x22222222");
    areas.find("B")->setSelColour("0x33333333");

    handler.setArea(nullptr);
    RecordingAreaRenderer plain;
    handler.render(plain);
    ASSERT_EQ(plain.drawn.size(), 2u);
    const ScreenAreaRenderInfo& a = plain.drawn[0];
    EXPECT_EQ(a.mode, 1);
    EXPECT_FALSE(a.selected);
    EXPECT_EQ(a.rect.x, 10);
    EXPECT_EQ(a.rect.y, 20);
    EXPECT_EQ(a.rect.width, 30);
    EXPECT_EQ(a.rect.height, 40);
    EXPECT_EQ(a.colour, "0x11111111");
    EXPECT_EQ(a.label, "plain");
    EXPECT_EQ(a.style, "0xff,1");
    EXPECT_EQ(plain.drawn[1].colour, "0x22222222");

    handler.setArea(areas.find("A"));
    RecordingAreaRenderer lit;
    handler.render(lit);
    ASSERT_EQ(lit.drawn.size(), 2u);
    EXPECT_TRUE(lit.drawn[0].selected);
    EXPECT_EQ(lit.drawn[0].colour, "0x11111111");  // no selected colour: the colour
    EXPECT_EQ(lit.drawn[0].label, "lit");
    EXPECT_EQ(lit.drawn[0].style, "0xff,2");
    EXPECT_TRUE(lit.drawn[1].selected);
    EXPECT_EQ(lit.drawn[1].colour, "0x33333333");
}

TEST_F(RenderPathTest, EachCountdownEntryShowsTheColouredSwitchNearestToFiring) {
    addAreas({{"A"}, {"B", {"A"}}});
    Input::Switch& colourless = addSwitch("A", {0, 0, 0});
    Input::Switch& slow = addSwitch("A", {0x11223344, 0x55667788, 0});
    Input::Switch& fast = addSwitch("A", {0x99aabbcc, 0x01020304, 0x0a0b0c0d});
    Input::Switch& elsewhere = addSwitch("B", {0xffffffff, 0xffffffff, 0xffffffff});
    // Entering the area restarts the countdowns; set them as a running area has them.
    handler.setArea(areas.find("A"));
    colourless.repeatCountdown().start(10);  // nearest, but nothing to show it in
    slow.repeatCountdown().start(500);
    slow.holdCountdown().start(900);
    slow.holdCountdown().countDownTo(40);
    fast.repeatCountdown().start(600);
    fast.repeatCountdown().countDownTo(150);
    fast.holdCountdown().start(300);
    fast.afterHoldCountdown().start(0);  // not running
    elsewhere.repeatCountdown().start(1);

    RecordingAreaRenderer renderer;
    handler.render(renderer);
    ASSERT_EQ(renderer.drawn.size(), 2u);
    const SwitchTimerInfo& timer = renderer.drawn[0].timerInfo;
    EXPECT_EQ(timer.repeat.remaining, 150);
    EXPECT_EQ(timer.repeat.total, 600);
    EXPECT_EQ(timer.repeat.colour.abgr(), 0xccbbaa99u);
    EXPECT_EQ(timer.hold.remaining, 40);
    EXPECT_EQ(timer.hold.total, 900);
    EXPECT_EQ(timer.hold.colour.abgr(), 0x88776655u);
    EXPECT_TRUE(timer.afterHold.isEmpty());
    // The group member is drawn selected, but the countdown belongs to the current area only.
    EXPECT_TRUE(renderer.drawn[1].selected);
    EXPECT_TRUE(renderer.drawn[1].timerInfo.repeat.isEmpty());
    EXPECT_TRUE(renderer.drawn[1].timerInfo.hold.isEmpty());
}

namespace {

struct ProgressCase {
    const char* name;
    SwitchTimerInfo info;
    bool shows;
    float percent;
    uint32_t abgr;
};

const SwitchTimerInfo::Colour kRed = SwitchTimerInfo::Colour::fromRgba(0xff0000ff);
const SwitchTimerInfo::Colour kBlue = SwitchTimerInfo::Colour::fromRgba(0x0000ffff);

SwitchTimerInfo timers(SwitchTimerInfo::Entry repeat, SwitchTimerInfo::Entry hold, SwitchTimerInfo::Entry afterHold) {
    SwitchTimerInfo info;
    info.repeat = repeat;
    info.hold = hold;
    info.afterHold = afterHold;
    return info;
}

class Progress : public ::testing::TestWithParam<ProgressCase> {};

}  // namespace

TEST_P(Progress, FollowsTheFirstEntryWithATotalAndAColour) {
    const ProgressCase& c = GetParam();
    float percent = -1;
    SwitchTimerInfo::Colour colour;
    ASSERT_EQ(c.info.getProgress(percent, colour), c.shows);
    if (!c.shows) return;
    EXPECT_FLOAT_EQ(percent, c.percent);
    EXPECT_EQ(colour.abgr(), c.abgr);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Progress,
    ::testing::Values(
        ProgressCase{"nothing", {}, false, 0, 0},
        ProgressCase{"repeat_a_quarter_left", timers({150, 600, kRed}, {}, {}), true, 76, kRed.abgr()},
        ProgressCase{"repeat_keeps_fractions", timers({1, 3, kRed}, {}, {}), true, 200.0f / 3 + 1, kRed.abgr()},
        ProgressCase{"hold_truncates", timers({}, {1, 3, kBlue}, {}), true, 67, kBlue.abgr()},
        ProgressCase{"after_hold_truncates", timers({}, {}, {1, 3, kBlue}), true, 67, kBlue.abgr()},
        ProgressCase{"run_out_stays_100", timers({}, {0, 100, kBlue}, {}), true, 100, kBlue.abgr()},
        ProgressCase{"repeat_first", timers({300, 600, kRed}, {1, 3, kBlue}, {}), true, 51, kRed.abgr()},
        ProgressCase{"colourless_repeat_skipped", timers({300, 600, {}}, {1, 3, kBlue}, {}), true, 67, kBlue.abgr()},
        ProgressCase{"totalless_hold_skipped", timers({}, {0, 0, kBlue}, {1, 2, kRed}), true, 51, kRed.abgr()}),
    [](const ::testing::TestParamInfo<ProgressCase>& info) { return std::string(info.param.name); });

// The shipped method picker: while the scan steps over the hidden fill areas, the choice they
// stand for is drawn selected with the scan's countdown on top of it.
TEST(PickerRenderPath, AScanAreaLightsTheChoiceThatNamesIt) {
    Input::InputControllers controllers;
    ASSERT_TRUE(controllers.loadSchema("data/InputConfig.fbs"));
    ASSERT_TRUE(controllers.load("INPUT-METHOD", "data/INPUT-METHOD-PICK.json", nullptr));
    controllers.setCurrent("INPUT-METHOD");
    Input::InputController& picker = *controllers.getCurrent();
    picker.gotoArea("SCAN_PICK");
    picker.tick(500);

    RecordingAreaRenderer renderer;
    picker.render(renderer);
    ASSERT_EQ(renderer.drawn.size(), 9u);
    std::vector<bool> selected;
    for (const auto& info : renderer.drawn) selected.push_back(info.selected);
    // ANYWHERE, QUESTION, HINT, STANDARD, PICK, SCAN_STANDARD, HOLD_STANDARD, SCAN_PICK, HOLD_PICK.
    EXPECT_THAT(selected, ElementsAre(false, false, false, false, true, false, false, true, false));
    float percent = 0;
    SwitchTimerInfo::Colour colour;
    ASSERT_TRUE(renderer.drawn[7].timerInfo.getProgress(percent, colour));
    EXPECT_FLOAT_EQ(percent, 26);  // 500 of its 2000 ms dwell, plus one
    EXPECT_EQ(colour.abgr(), SwitchTimerInfo::Colour::fromRgba(0x1f7482ff).abgr());
    EXPECT_FALSE(renderer.drawn[4].timerInfo.getProgress(percent, colour));
}
