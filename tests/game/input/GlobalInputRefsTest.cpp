#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "data/Accessibility_generated.h"
#include "data/config_generated.h"
#include "engine/data/Info.h"
#include "engine/input/InputControllers.h"
#include "game/config/ConfigReaders.h"
#include "game/config/InputMethods.h"
#include "game/input/GlobalInputRefs.h"
#include "tests/engine/util/TempFolder.h"

namespace {

using ::testing::ElementsAre;
using Zelmo::GlobalInputRefs;

std::vector<int> timing(GlobalInputRefs& refs, const std::string& name) {
    const Input::Config::TimingDef* record = refs.getRepeat(name);
    if (record == nullptr) return {};
    return {record->dwell(), record->repeat(), record->hold(), record->hold_repeat()};
}

// A settings table with fields 0 to 7 (and 8 when given) as given; field 3 is left out when
// negative.
flatbuffers::DetachedBuffer settings(const std::vector<int>& fields) {
    flatbuffers::FlatBufferBuilder builder;
    Zelmo::Access::TimingSettingsBuilder table(builder);
    table.add_dwell_delay(fields[0]);
    table.add_dwell_repeat(fields[1]);
    table.add_one_key_delay(fields[2]);
    if (fields[3] >= 0) table.add_one_switch_hold(fields[3]);
    table.add_one_switch_hold_repeat(fields[4]);
    table.add_unused_5(fields[5]);
    table.add_hold_delay(fields[6]);
    table.add_repeat_interval(fields[7]);
    if (fields.size() > 8) table.add_debounce(fields[8]);
    builder.Finish(table.Finish());
    return builder.Release();
}

const Zelmo::Access::TimingSettings* rootOf(const flatbuffers::DetachedBuffer& buffer) {
    return flatbuffers::GetRoot<Zelmo::Access::TimingSettings>(buffer.data());
}

TEST(GlobalInputRefs, SixRecordsPerSettingsTable) {
    GlobalInputRefs refs;
    const auto menu = settings({300, 400, 700, 800, 900, 1, 500, 150});
    refs.addRepeatModes("menu_", rootOf(menu));
    EXPECT_THAT(timing(refs, "menu_standardRep"), ElementsAre(0, 150, 0, 0));
    EXPECT_THAT(timing(refs, "menu_standardRepHold"), ElementsAre(0, 150, 500, 150));
    EXPECT_THAT(timing(refs, "menu_oneKey"), ElementsAre(700, 0, 0, 0));
    EXPECT_THAT(timing(refs, "menu_oneSwitchRepHold"), ElementsAre(0, 0, 800, 900));
    EXPECT_THAT(timing(refs, "menu_dwell"), ElementsAre(300, 0, 0, 0));
    EXPECT_THAT(timing(refs, "menu_dwellRep"), ElementsAre(300, 400, 0, 0));
    EXPECT_EQ(refs.getRepeat("game_dwell"), nullptr);
}

// The debounce time of a settings table goes with each of its records.
TEST(GlobalInputRefs, EveryRecordCarriesItsTablesDebounceTime) {
    GlobalInputRefs refs;
    const auto menu = settings({300, 400, 700, 800, 900, 1, 500, 150, 45});
    refs.addRepeatModes("menu_", rootOf(menu));
    for (const std::string& name : GlobalInputRefs::repeatModeNames()) {
        EXPECT_EQ(refs.getRepeat("menu_" + name)->debounce(), 45) << name;
    }
}

TEST(GlobalInputRefs, AbsentSettingsReadAsZero) {
    GlobalInputRefs refs;
    const auto menu = settings({0, 0, 0, -1, 0, 0, 0, 0});
    refs.addRepeatModes("menu_", rootOf(menu));
    refs.addRepeatModes("game_", nullptr);
    EXPECT_THAT(timing(refs, "menu_oneSwitchRepHold"), ElementsAre(0, 0, 0, 0));
    EXPECT_THAT(timing(refs, "game_standardRepHold"), ElementsAre(0, 0, 0, 0));
    // But for the debounce time: a table without it still ignores a switch's bounces.
    EXPECT_EQ(refs.getRepeat("menu_oneSwitchRepHold")->debounce(), refs.getRepeat("game_dwell")->debounce());
    EXPECT_GT(refs.getRepeat("game_dwell")->debounce(), 0);
}

TEST(GlobalInputRefs, ALaterRecordReplacesAnEarlierOne) {
    GlobalInputRefs refs;
    refs.addRepeatRecord("r", 1, 2, 3, 4);
    refs.addRepeatRecord("r", 5, 0, 0, 0);
    EXPECT_THAT(timing(refs, "r"), ElementsAre(5, 0, 0, 0));
}

// A list table of the name holding KEY triggers for the keys.
flatbuffers::DetachedBuffer keyList(const std::string& name, const std::vector<std::string>& keys) {
    flatbuffers::FlatBufferBuilder builder;
    std::vector<flatbuffers::Offset<Input::Config::TriggerDef>> triggers;
    for (const std::string& key : keys) {
        triggers.push_back(
            Input::Config::CreateTriggerDef(builder, Input::Config::TriggerKind_KEY, builder.CreateString(key)));
    }
    builder.Finish(
        Zelmo::Access::CreateTriggerList(builder, builder.CreateString(name), builder.CreateVector(triggers)));
    return builder.Release();
}

TEST(GlobalInputRefs, ListsOfOneNameJoinInOrder) {
    GlobalInputRefs refs;
    const auto first = keyList("keys", {"a", "b"});
    const auto second = keyList("keys", {"c"});
    refs.addNamedList(*flatbuffers::GetRoot<Zelmo::Access::TriggerList>(first.data()));
    refs.addNamedList(*flatbuffers::GetRoot<Zelmo::Access::TriggerList>(second.data()));
    ASSERT_EQ(refs.getListSize("keys"), 3);
    std::vector<std::string> keys;
    for (int i = 0; i < 3; ++i) keys.push_back(refs.getListItem("keys", i)->key()->str());
    EXPECT_THAT(keys, ElementsAre("a", "b", "c"));
    EXPECT_EQ(refs.getListItem("keys", 3), nullptr);
}

TEST(GlobalInputRefs, MissingNamesGiveNothingAndAliasesFallBackToTheKey) {
    GlobalInputRefs refs;
    EXPECT_EQ(refs.getListSize("absent"), 0);
    EXPECT_EQ(refs.getListItem("absent", 0), nullptr);
    EXPECT_EQ(refs.getString("NO_ALIAS"), "NO_ALIAS");
}

// The shipped accessibility file: both timing sets, the shared lists and the aliases.
TEST(GlobalInputRefs, LoadsTheShippedAccessibilityFile) {
    GlobalInputRefs refs;
    ASSERT_TRUE(refs.load("data/Accessibility.fbs", "data/accessibility"));
    for (const char* prefix : {"menu_", "game_"}) {
        for (const std::string& name : GlobalInputRefs::repeatModeNames()) {
            const Input::Config::TimingDef* record = refs.getRepeat(prefix + name);
            ASSERT_NE(record, nullptr) << prefix << name;
            // Long enough for a switch's bounce or a tremor's second press; shorter than the
            // least a person lets go for between two presses made on purpose.
            EXPECT_GE(record->debounce(), 50) << prefix << name;
            EXPECT_LE(record->debounce(), 100) << prefix << name;
        }
    }
    const int size = refs.getListSize("select");
    ASSERT_GT(size, 0);
    EXPECT_NE(refs.getListItem("select", size - 1), nullptr);
    EXPECT_EQ(refs.getListItem("select", size), nullptr);
    EXPECT_NE(refs.getString("MENU_STYLE"), "MENU_STYLE");
}

TEST(GlobalInputRefs, AFileThatDoesNotParseFailsNamingTheFileAndLine) {
    TempFolder folder;
    folder.write("accessibility.json", "{\n  menus: {}\n}\n");
    GlobalInputRefs refs;
    EXPECT_FALSE(refs.load("data/Accessibility.fbs", folder.path("accessibility")));
    EXPECT_THAT(refs.loadError(), ::testing::HasSubstr("accessibility.json:2: "));
    EXPECT_THAT(refs.loadError(), ::testing::HasSubstr("unknown field: menus"));
}

// A time of 0 or less leaves a one-key screen lighting no choice, or fires a switch every frame:
// (set, field, value) -> the one line the player sees.
TEST(GlobalInputRefs, TimesOutOfRangeFailNamingTheFileAndField) {
    // The shipped menu times, with one field replaced.
    const auto settingsWith = [](const std::string& field, const std::string& value) {
        std::map<std::string, std::string> times = {
            {"dwell_delay", "1200"},    {"dwell_repeat", "1200"},           {"one_key_delay", "1500"},
            {"one_switch_hold", "800"}, {"one_switch_hold_repeat", "1500"}, {"hold_delay", "600"},
            {"repeat_interval", "250"}};
        if (!field.empty()) times[field] = value;
        std::string table;
        for (const auto& [name, text] : times) table += (table.empty() ? "{\"" : ", \"") + name + "\": " + text;
        return table + "}";
    };
    struct Case {
        std::string set;
        std::string field;
        std::string value;
        std::string line;  // after "<file>: "; empty: loads
    };
    const std::vector<Case> cases = {
        {"menu", "one_key_delay", "1", ""},
        {"game", "dwell_delay", "60000", ""},
        {"menu", "one_key_delay", "0", "field menu.one_key_delay: must be 1 to 60000 ms"},
        {"game", "one_key_delay", "-1000", "field game.one_key_delay: must be 1 to 60000 ms"},
        {"menu", "dwell_delay", "0", "field menu.dwell_delay: must be 1 to 60000 ms"},
        {"game", "dwell_repeat", "-1", "field game.dwell_repeat: must be 1 to 60000 ms"},
        {"menu", "one_switch_hold", "0", "field menu.one_switch_hold: must be 1 to 60000 ms"},
        {"game", "one_switch_hold_repeat", "0", "field game.one_switch_hold_repeat: must be 1 to 60000 ms"},
        {"menu", "hold_delay", "-600", "field menu.hold_delay: must be 1 to 60000 ms"},
        {"game", "repeat_interval", "0", "field game.repeat_interval: must be 1 to 60000 ms"},
        {"menu", "repeat_interval", "2147483647", "field menu.repeat_interval: must be 1 to 60000 ms"},
        {"game", "debounce", "0", ""},
        {"menu", "debounce", "-60", "field menu.debounce: must be 0 to 60000 ms"},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        const std::string menu = c.set == "menu" ? settingsWith(c.field, c.value) : settingsWith("", "");
        const std::string game = c.set == "game" ? settingsWith(c.field, c.value) : settingsWith("", "");
        const std::string file =
            folder.write("accessibility.json", "{ \"menu\": " + menu + ", \"game\": " + game + " }");
        GlobalInputRefs refs;
        EXPECT_EQ(refs.load("data/Accessibility.fbs", folder.path("accessibility")), c.line.empty())
            << c.set << "." << c.field << " " << c.value;
        EXPECT_EQ(refs.loadError(), c.line.empty() ? "" : file + ": " + c.line) << c.set << "." << c.field;
    }
}

// Stands in for the player's bindings, which need the settings store.
class AnyBinding : public Input::TriggerId::IExternals {
public:
    Input::TriggerId getKeyTrigger(KeyCode key) override { return Input::TriggerId::makeKey(key, 0); }
    Input::TriggerId getMouseTrigger(uint32_t buttons) override { return Input::TriggerId::makeMouse(buttons); }
    Input::TriggerId getJoypadTrigger(uint32_t bits) override { return Input::TriggerId::makeJoypad(bits); }
};

// What the start-up state does for each method: every input the configuration lists loads with
// the shipped references.
TEST(GlobalInputRefs, EveryConfiguredInputLoadsWithTheShippedReferences) {
    AnyBinding bindings;
    Input::TriggerId::externals = &bindings;
    Game::Info config;
    ASSERT_TRUE(config.loadSchema("data/config.fbs"));
    ASSERT_NE(config.loadData("data/config"), nullptr);
    for (const std::string& method : Zelmo::kInputMethods) {
        GlobalInputRefs refs;
        ASSERT_TRUE(refs.load("data/Accessibility.fbs", "data/accessibility"));
        Input::InputControllers controllers;
        ASSERT_TRUE(controllers.loadSchema("data/InputConfig.fbs"));
        for (const auto& input : Zelmo::readInputs(method, flatbuffers::GetRoot<Zelmo::ConfigRoot>(config.data()))) {
            EXPECT_TRUE(controllers.load(input.name, input.path, &refs)) << input.path;
        }
    }
    Input::TriggerId::externals = nullptr;
}

}  // namespace
