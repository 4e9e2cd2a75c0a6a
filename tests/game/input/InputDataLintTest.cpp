// Checks the shipped input configurations: the method picker's three files and every file the
// configuration's input list names, for each input method. Each must parse, have a full-window
// "ANYWHERE" area, and refer only to areas, timing records, trigger lists and aliases that exist.
#include <flatbuffers/idl.h>
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "data/InputConfig_generated.h"
#include "data/config_generated.h"
#include "engine/data/Info.h"
#include "engine/input/ActionNames.h"
#include "engine/input/InputConfigReaders.h"
#include "engine/input/InputController.h"
#include "engine/util/Files.h"
#include "engine/util/FlatText.h"
#include "engine/util/Text.h"
#include "game/config/ConfigReaders.h"
#include "game/config/InputMethods.h"

namespace {

using Input::Config::AreaDef;
using Input::Config::InputConfig;
using Input::Config::SwitchDef;
using Input::Config::TriggerDef;

const std::vector<std::string> kPickFiles = {"data/INPUT-METHOD-PICK.json", "data/PICK-SWITCH-OR-HEAD.json",
                                             "data/PICK-SWITCH.json"};
// The records the accessibility file makes from each of its settings tables.
const std::vector<std::string> kRecordNames = {"standardRep",      "standardRepHold", "oneKey",
                                               "oneSwitchRepHold", "dwell",           "dwellRep"};
// Parameters of "GOTO_AREA" that name an area only once a switch fires.
const std::set<std::string> kAreaPlaceholders = {"[NEXT_AREA]", "[PREV_AREA]", "[AREA_NAME]", "[GOTOCURAREA]"};

// Names the accessibility file offers, read by field position as the program reads them.
struct AccessibilityNames {
    std::set<std::string> records;
    std::set<std::string> lists;
    std::set<std::string> aliases;
};

AccessibilityNames readAccessibility() {
    AccessibilityNames names;
    Game::Info info;
    EXPECT_TRUE(info.loadSchema("data/Accessibility.fbs"));
    EXPECT_NE(info.loadData("data/accessibility"), nullptr) << info.getParser()->error_;
    const flatbuffers::Table* root = info.root();
    if (root == nullptr) return names;
    using Tables = flatbuffers::Vector<flatbuffers::Offset<flatbuffers::Table>>;
    // Fields 0 and 1: the menu and game settings; 2: the lists; 3: the aliases (name or key first).
    const std::pair<const char*, flatbuffers::voffset_t> settings[] = {{"menu_", 4}, {"game_", 6}};
    for (const auto& [prefix, field] : settings) {
        if (root->GetPointer<const flatbuffers::Table*>(field) == nullptr) continue;
        for (const std::string& record : kRecordNames) names.records.insert(prefix + record);
    }
    for (const flatbuffers::Table* list : Input::toTableList(root->GetPointer<const Tables*>(8))) {
        names.lists.insert(Util::toStdString(list->GetPointer<const flatbuffers::String*>(4)));
    }
    for (const flatbuffers::Table* alias : Input::toTableList(root->GetPointer<const Tables*>(10))) {
        names.aliases.insert(Util::toStdString(alias->GetPointer<const flatbuffers::String*>(4)));
    }
    return names;
}

std::vector<std::string> configuredInputFiles() {
    Game::Info info;
    EXPECT_TRUE(info.loadSchema("data/config.fbs"));
    EXPECT_NE(info.loadData("data/config"), nullptr);
    std::vector<std::string> files;
    for (const std::string& method : Zelmo::kInputMethods) {
        for (const auto& input : Zelmo::readInputs(method, flatbuffers::GetRoot<Zelmo::ConfigRoot>(info.data()))) {
            files.push_back(input.path);
        }
    }
    return files;
}

class InputFileLint {
public:
    InputFileLint(std::string path, const AccessibilityNames* refs) : m_path(std::move(path)), m_refs(refs) {}

    void check(const InputConfig& root) {
        std::set<std::string> areas;
        for (const AreaDef* area : Input::toTableList(root.areas())) {
            const std::string name = Util::toStdString(area->name());
            if (!areas.insert(name).second) fail("area " + name + " appears twice");
            for (const flatbuffers::String* text : {area->colour(), area->sel_colour(), area->label(), area->style(),
                                                    area->sel_label(), area->sel_style()}) {
                checkAlias(name, Util::toStdString(text));
            }
            if (name == Input::kAnywhere) checkFullWindow(*area);
        }
        if (areas.count(Input::kAnywhere) == 0) fail("no ANYWHERE area");
        size_t index = 0;
        for (const SwitchDef* table : Input::toTableList(root.switches())) checkSwitch(*table, areas, index++);
    }

private:
    void fail(const std::string& what) { ADD_FAILURE() << m_path << ": " << what; }

    void checkFullWindow(const AreaDef& area) {
        const Input::Config::RectDef* rect = area.rect();
        if (rect == nullptr || area.centred() || rect->x() != 0 || rect->y() != 0 || rect->width() != 100 ||
            rect->height() != 100) {
            fail("ANYWHERE does not cover the window");
        }
    }

    void checkAlias(const std::string& area, const std::string& text) {
        if (!Util::startsWith(text, "REF:")) return;
        const std::string key = Util::trim(Util::textAfter(text, ':'));
        if (m_refs == nullptr || m_refs->aliases.count(key) == 0) fail("area " + area + ": no alias " + key);
    }

    void checkTiming(const std::string& where, const flatbuffers::String* name) {
        if (name == nullptr) return;
        if (m_refs == nullptr || m_refs->records.count(name->str()) == 0) fail(where + ": no timing " + name->str());
    }

    void checkSwitch(const SwitchDef& table, const std::set<std::string>& areas, size_t index) {
        const std::string where = "switch " + std::to_string(index);
        const std::vector<std::string> names = Util::toStringVector(table.areas());
        if (names.empty()) fail(where + ": no areas");
        const bool all = names.size() == 1 && names[0] == Input::kAllAreas;
        for (const std::string& name : names) {
            if (!all && areas.count(name) == 0) fail(where + ": no area " + name);
        }
        checkTiming(where, table.timing_name());
        if (const flatbuffers::String* list = table.trigger_list()) {
            if (m_refs == nullptr || m_refs->lists.count(list->str()) == 0) fail(where + ": no list " + list->str());
        } else if (table.triggers() == nullptr || table.triggers()->size() == 0) {
            fail(where + ": no triggers");
        }
        checkActions(where, table.actions(), areas);
        for (const TriggerDef* trigger : Input::toTableList(table.triggers())) {
            checkTiming(where, trigger->timing_name());
            checkActions(where, trigger->actions(), areas);
            Input::keyCodeOfText(Util::toStdString(trigger->key()));
        }
    }

    void checkActions(const std::string& where, const Input::Config::ActionsDef* actions,
                      const std::set<std::string>& areas) {
        if (actions == nullptr) return;
        for (const auto* list : {actions->press(), actions->release(), actions->hold(), actions->held_release()}) {
            for (const Input::Config::ActionDef* action : Input::toTableList(list)) {
                if (Util::toStdString(action->name()) != Input::kGotoArea) continue;
                const std::string target = Util::toStdString(action->param());
                if (kAreaPlaceholders.count(target) == 0 && areas.count(target) == 0) {
                    fail(where + ": GOTO_AREA to missing area " + target);
                }
            }
        }
    }

    std::string m_path;
    const AccessibilityNames* m_refs;
};

void lint(const std::string& path, const AccessibilityNames* refs) {
    Game::Info info;
    ASSERT_TRUE(info.loadSchema("data/InputConfig.fbs"));
    const uint8_t* data = info.loadData(path);
    ASSERT_NE(data, nullptr) << path << ": " << info.getParser()->error_;
    InputFileLint(path, refs).check(*flatbuffers::GetRoot<InputConfig>(data));
    // Loading builds every trigger, so key texts and switch shapes are checked as the game reads them.
    if (refs == nullptr) {
        Input::InputController controller("LINT", nullptr, nullptr);
        EXPECT_TRUE(controller.load(*flatbuffers::GetRoot<InputConfig>(data))) << path;
    }
}

TEST(InputDataLint, ThePickFilesStandAlone) {
    for (const std::string& path : kPickFiles) lint(path, nullptr);
}

TEST(InputDataLint, ConfiguredInputsReferOnlyToWhatExists) {
    const AccessibilityNames refs = readAccessibility();
    for (const std::string& path : configuredInputFiles()) {
        EXPECT_GT(Util::fileSize(path), 0) << path << " is missing";
        if (Util::fileSize(path) > 0) lint(path, &refs);
    }
}

}  // namespace
