#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "InputTestSupport.h"
#include "TriggerFields.h"
#include "data/InputConfig_generated.h"
#include "engine/input/InputConfigReaders.h"
#include "engine/input/InputController.h"

namespace {

using Input::InputController;
using Input::Switch;
using Input::TriggerId;
using Input::TriggerType;
using ::testing::ElementsAre;

TEST(KeyText, CharactersNamesAndNumbers) {
    const std::vector<std::pair<std::string, int>> cases = {
        {"", 0},      {"a", 97}, {"KEY_SPACE", 32}, {"KEY_KP_ENTER", 144}, {"65", 65},
        {"0x41", 65}, {"7", 55}, {"07", 7},         {"0xff", 255},         {"KEY_LEFT", 7},
    };
    for (const auto& [text, code] : cases) EXPECT_EQ(Input::keyCodeOfText(text), code) << text;
}

TEST(KeyTextDeathTest, TextThatIsNoKeyStopsTheProgram) {
    EXPECT_EXIT(Input::keyCodeOfText("KEY_NOSUCH"), ::testing::ExitedWithCode(1),
                "Cant convert String to Num:KEY_NOSUCH");
    EXPECT_EXIT(Input::keyCodeOfText("321"), ::testing::ExitedWithCode(1), "Key code out of range:321");
}

// Serves timing records, trigger lists and aliases from tables built here.
class FakeRefs : public InputController::IRefs {
public:
    void addTiming(const std::string& name, int dwell, int repeat, int hold, int holdRepeat) {
        flatbuffers::FlatBufferBuilder builder;
        builder.Finish(Input::Config::CreateTimingDef(builder, dwell, repeat, hold, holdRepeat));
        m_timings[name] = builder.Release();
    }
    void addKeyToList(const std::string& name, const std::string& key) {
        flatbuffers::FlatBufferBuilder builder;
        builder.Finish(
            Input::Config::CreateTriggerDef(builder, Input::Config::TriggerKind_KEY, builder.CreateString(key)));
        m_lists[name].push_back(builder.Release());
    }

    const Input::Config::TimingDef* getRepeat(const std::string& name) override {
        const auto found = m_timings.find(name);
        return found == m_timings.end() ? nullptr
                                        : flatbuffers::GetRoot<Input::Config::TimingDef>(found->second.data());
    }
    const Input::Config::TriggerDef* getListItem(const std::string& name, int index) override {
        const auto found = m_lists.find(name);
        if (found == m_lists.end() || index >= static_cast<int>(found->second.size())) return nullptr;
        return flatbuffers::GetRoot<Input::Config::TriggerDef>(found->second[index].data());
    }
    int getListSize(const std::string& name) override {
        const auto found = m_lists.find(name);
        return found == m_lists.end() ? 0 : static_cast<int>(found->second.size());
    }
    std::string getString(const std::string& key) override { return key == "GREETING" ? "Hello" : key; }

private:
    std::map<std::string, flatbuffers::DetachedBuffer> m_timings;
    std::map<std::string, std::vector<flatbuffers::DetachedBuffer>> m_lists;
};

class InputConfigLoadTest : public ::testing::Test {
protected:
    std::unique_ptr<InputController> load(const std::string& json, InputController::IRefs* refs = nullptr) {
        return parser.load(json, &handler, refs);
    }
    bool loads(const std::string& json, InputController::IRefs* refs = nullptr) {
        bool loaded = false;
        reason = parser.load(json, &handler, refs, &loaded)->loadError();
        return loaded;
    }

    // Every switch of the controller as "area<prev|next>:key".
    static std::vector<std::string> switchesOf(InputController& controller) {
        std::vector<std::string> found;
        for (size_t i = 1; Switch* each = controller.getSwitchController().get(i); ++i) {
            found.push_back(each->getAreaName() + "<" + each->getPrevAreaName() + "|" + each->getNextAreaName() +
                            ">:" + std::string(1, static_cast<char>(each->getTrigger().getKey())));
        }
        return found;
    }

    ConfigParser parser;
    RecordingHandler handler;
    std::string reason;
};

TEST_F(InputConfigLoadTest, AreasTakeTheirFieldsWithTheDocumentedDefaults) {
    auto controller = load(R"({ "cool_down": 250, "areas": [
      { "name": "BOX", "rect": { "x": 50, "y": 50, "width": 20, "height": 10 }, "centred": true,
        "colour": "0x00ff00ff", "label": "Play", "style": "0xffffffff,2", "groups": ["A", "B"] },
      { "name": "HIDDEN", "visible": false, "label": "L", "sel_label": "SL", "style": "S", "sel_style": "SS",
        "sel_colour": "0xff0000ff" } ] })");
    EXPECT_EQ(controller->getCoolDown(), 250);
    const auto& areas = controller->getScreenAreaController().getAreas();
    ASSERT_EQ(areas.size(), 2u);
    const Input::IScreenArea& box = *areas[0];
    const Input::AreaRect rect = box.getRect();
    EXPECT_EQ(rect.x, 40);
    EXPECT_EQ(rect.y, 45);
    EXPECT_TRUE(box.contains(59.9f, 54.9f));
    EXPECT_FALSE(box.contains(60, 50));
    EXPECT_EQ(box.getMode(), 1);
    EXPECT_TRUE(box.isVisible());
    EXPECT_EQ(box.getSelLabel(), "Play");
    EXPECT_EQ(box.getSelStyle(), "0xffffffff,2");
    EXPECT_EQ(box.getSelColour(), "0x00ff00ff");
    EXPECT_THAT(box.getGroups(), ElementsAre("A", "B"));

    const Input::IScreenArea& hidden = *areas[1];
    EXPECT_FALSE(hidden.isVisible());
    EXPECT_EQ(hidden.getSelLabel(), "SL");
    EXPECT_EQ(hidden.getSelStyle(), "SS");
    EXPECT_EQ(hidden.getSelColour(), "0xff0000ff");
}

TEST_F(InputConfigLoadTest, AllAreasStandsForEveryAreaOnlyAsTheSingleEntry) {
    auto all = load(R"({ "areas": [ { "name": "ONE" }, { "name": "TWO" }, { "name": "THREE" } ],
      "switches": [ { "areas": ["*ALL*"], "triggers": [ { "type": "KEY", "key": "a" } ] } ] })");
    EXPECT_THAT(switchesOf(*all), ElementsAre("ONE<THREE|TWO>:a", "TWO<ONE|THREE>:a", "THREE<TWO|ONE>:a"));

    auto two = load(R"({ "areas": [ { "name": "ONE" }, { "name": "BACK" } ],
      "switches": [ { "areas": ["*ALL*", "BACK"], "triggers": [ { "type": "KEY", "key": "a" } ] } ] })");
    EXPECT_THAT(switchesOf(*two), ElementsAre("*ALL*<BACK|BACK>:a", "BACK<*ALL*|*ALL*>:a"));
}

TEST_F(InputConfigLoadTest, SwitchesAreMadePerTriggerThenPerArea) {
    auto controller = load(R"({ "areas": [ { "name": "ONE" }, { "name": "TWO" } ],
      "switches": [ { "areas": ["ONE", "TWO"],
                      "triggers": [ { "type": "KEY", "key": "a" }, { "type": "KEY", "key": "b" } ] } ] })");
    EXPECT_THAT(switchesOf(*controller),
                ElementsAre("ONE<TWO|TWO>:a", "TWO<ONE|ONE>:a", "ONE<TWO|TWO>:b", "TWO<ONE|ONE>:b"));
}

std::vector<std::string> pressNames(const Switch& each) {
    std::vector<std::string> names;
    for (const auto& action : each.getActions().press) names.push_back(action.getName());
    return names;
}

TEST_F(InputConfigLoadTest, TriggersWithoutActionsOrColoursTakeTheSwitchesOrKeepThePrevious) {
    auto controller = load(R"({ "areas": [ { "name": "ONE" } ],
      "switches": [ { "areas": ["ONE"],
                      "actions": { "press": [ { "name": "SHARED" } ] },
                      "triggers": [ { "type": "KEY", "key": "a", "colours": { "repeat": 7 } },
                                    { "type": "KEY", "key": "b", "actions": { "press": [ { "name": "OWN" } ] } } ] } ] })");
    const Switch& first = *controller->getSwitchController().get(1);
    const Switch& second = *controller->getSwitchController().get(2);
    EXPECT_THAT(pressNames(first), ElementsAre("SHARED"));
    EXPECT_THAT(pressNames(second), ElementsAre("OWN"));
    EXPECT_EQ(first.getColours().repeat, 7u);
    EXPECT_EQ(second.getColours().repeat, 7u);
}

TEST_F(InputConfigLoadTest, TimingComesFromTheFirstSourcePresent) {
    FakeRefs refs;
    refs.addTiming("trigger_record", 1, 0, 0, 0);
    refs.addTiming("switch_record", 3, 0, 0, 0);
    auto controller = load(R"({ "areas": [ { "name": "ONE" } ],
      "switches": [ { "areas": ["ONE"], "timing_name": "switch_record", "timing": { "dwell": 4 },
                      "triggers": [ { "type": "KEY", "key": "a", "timing_name": "trigger_record", "timing": { "dwell": 2 } },
                                    { "type": "KEY", "key": "b", "timing": { "dwell": 2, "repeat": 5, "hold": 6, "hold_repeat": 7 } },
                                    { "type": "KEY", "key": "c" } ] },
                    { "areas": ["ONE"], "timing": { "dwell": 4 }, "triggers": [ { "type": "KEY", "key": "d" } ] } ] })",
                           &refs);
    std::vector<int> dwell;
    for (size_t i = 1; i <= 4; ++i)
        dwell.push_back(controller->getSwitchController().get(i)->getTrigger().getDwellTime());
    EXPECT_THAT(dwell, ElementsAre(1, 2, 3, 4));
    const TriggerId& full = controller->getSwitchController().get(2)->getTrigger();
    EXPECT_EQ(full.getRepeatTime(), 5);
    EXPECT_EQ(full.getHoldTime(), 6);
    EXPECT_EQ(full.getHoldRepeatTime(), 7);
}

TEST_F(InputConfigLoadTest, ReferencesResolveTextsAndTriggerLists) {
    FakeRefs refs;
    refs.addKeyToList("keys", "p");
    refs.addKeyToList("keys", "q");
    auto controller = load(R"({ "areas": [ { "name": "ONE", "label": "REF: GREETING \t", "style": "ref:GREETING",
                                              "colour": "REF:OTHER" } ],
      "switches": [ { "areas": ["ONE"], "trigger_list": "keys", "triggers": [ { "type": "KEY", "key": "z" } ] } ] })",
                           &refs);
    const Input::IScreenArea& area = *controller->getScreenAreaController().getAreas()[0];
    EXPECT_EQ(area.getLabel(), "Hello");
    EXPECT_EQ(area.getStyle(), "ref:GREETING");
    EXPECT_EQ(area.getColour(), "OTHER");
    EXPECT_THAT(switchesOf(*controller), ElementsAre("ONE<ONE|ONE>:p", "ONE<ONE|ONE>:q"));
}

TEST_F(InputConfigLoadTest, WithoutReferencesAnAliasShowsItsKey) {
    auto controller = load(R"({ "areas": [ { "name": "ONE", "label": "REF:GREETING" } ] })");
    EXPECT_EQ(controller->getScreenAreaController().getAreas()[0]->getLabel(), "GREETING");
}

TEST_F(InputConfigLoadTest, SwitchesThatCannotBeMadeFailTheLoadWithTheReason) {
    FakeRefs refs;
    EXPECT_FALSE(loads(R"({ "switches": [ { "areas": ["*ALL*"], "triggers": [ { "type": "KEY", "key": "a" } ] } ] })"));
    EXPECT_THAT(reason, ::testing::HasSubstr("switch 0: no areas"));
    EXPECT_FALSE(loads(R"({ "areas": [ { "name": "ONE" } ], "switches": [ { "areas": ["ONE"] } ] })"));
    EXPECT_THAT(reason, ::testing::HasSubstr("no triggers"));
    EXPECT_FALSE(loads(R"({ "areas": [ { "name": "ONE" } ],
      "switches": [ { "areas": ["ONE"], "trigger_list": "absent" } ] })",
                       &refs));
    EXPECT_THAT(reason, ::testing::HasSubstr("no triggers"));
    EXPECT_FALSE(loads(R"({ "areas": [ { "name": "ONE" } ],
      "switches": [ { "areas": ["ONE"], "timing_name": "menu_nosuch", "triggers": [ { "type": "KEY", "key": "a" } ] } ] })",
                       &refs));
    EXPECT_THAT(reason, ::testing::HasSubstr("unknown timing menu_nosuch"));
}

}  // namespace
