#include "engine/input/InputConfigReaders.h"

#include "data/InputConfig_generated.h"
#include "engine/util/Convert.h"
#include "engine/util/Fatal.h"
#include "engine/util/FlatText.h"
#include "engine/util/Text.h"

namespace Input {
namespace {

std::vector<ActionId> readActionList(const flatbuffers::Vector<flatbuffers::Offset<Config::ActionDef>>* list) {
    std::vector<ActionId> actions;
    for (const Config::ActionDef* action : toTableList(list)) {
        actions.emplace_back(Util::toStdString(action->name()), Util::toStdString(action->param()));
    }
    return actions;
}

}  // namespace

KeyCode parseNumber(const std::string& text) {
    const bool hex = Util::startsWith(text, "0x");
    const int number = Util::toInt(hex ? Util::tail(text, 2) : text, hex ? 16 : 10);
    // A wider number would alias a different key.
    if (number < 0 || number > 255) Util::fatal("Key code out of range:" + text);
    return static_cast<KeyCode>(number);
}

KeyCode keyCodeOfText(const std::string& text) {
    if (text.empty()) return 0;
    if (text.size() == 1) return static_cast<KeyCode>(text[0]);
    if (const auto named = Devices::keyCodeOfEnumerationName(text)) return *named;
    return parseNumber(text);
}

TriggerId triggerFromTable(const Config::TriggerDef& table) {
    return TriggerId::create(static_cast<int>(table.type()), keyCodeOfText(Util::toStdString(table.key())),
                             table.modifiers(), table.mouse(), static_cast<uint32_t>(table.joypad()));
}

void readTriggerTiming(TriggerId& trigger, const Config::TimingDef* timing) {
    if (timing == nullptr) {
        trigger.setTimers(0, 0, 0, 0);
        trigger.setDebounceTime(0);
        return;
    }
    trigger.setTimers(timing->dwell(), timing->repeat(), timing->hold(), timing->hold_repeat());
    trigger.setDebounceTime(timing->debounce());
}

void readSwitchActions(Switch& target, const Config::ActionsDef* actions) {
    SwitchActions lists;
    if (actions != nullptr) {
        lists.press = readActionList(actions->press());
        lists.release = readActionList(actions->release());
        lists.hold = readActionList(actions->hold());
        lists.heldRelease = readActionList(actions->held_release());
    }
    target.setActions(lists);
}

void readSwitchColours(Switch& target, const Config::ColoursDef* colours) {
    if (colours == nullptr) return;
    target.setColours({colours->repeat(), colours->hold(), colours->after_hold()});
}

}  // namespace Input
