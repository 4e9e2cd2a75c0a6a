#include "game/input/GlobalInputRefs.h"

#include <flatbuffers/idl.h>

#include <iostream>

#include "data/Accessibility_generated.h"
#include "engine/data/TableDefaults.h"
#include "engine/input/InputConfigReaders.h"
#include "engine/util/FlatText.h"

namespace Zelmo {

const std::vector<std::string>& GlobalInputRefs::repeatModeNames() {
    static const std::vector<std::string> s_names = {"standardRep",      "standardRepHold", "oneKey",
                                                     "oneSwitchRepHold", "dwell",           "dwellRep"};
    return s_names;
}

bool GlobalInputRefs::load(const std::string& schemaPath, const std::string& dataPath) {
    if (!m_data.loadSchema(schemaPath)) return false;
    const uint8_t* data = m_data.loadData(dataPath);
    if (data == nullptr) {
        std::cerr << m_data.getParser()->error_ << std::endl;
        return false;
    }
    const Access::Accessibility* root = Access::GetAccessibility(data);
    addRepeatModes("menu_", root->menu());
    addRepeatModes("game_", root->game());
    for (const Access::TriggerList* list : Input::toTableList(root->lists())) addNamedList(*list);
    for (const Access::Alias* alias : Input::toTableList(root->aliases())) {
        m_aliases[Util::toStdString(alias->key())] = Util::toStdString(alias->value());
    }
    return true;
}

void GlobalInputRefs::addRepeatModes(const std::string& prefix, const Access::TimingSettings* settings) {
    const Access::TimingSettings& s = *Game::tableOrDefaults(settings);
    const std::vector<std::string>& names = repeatModeNames();
    const int debounce = s.debounce();
    addRepeatRecord(prefix + names[0], 0, s.repeat_interval(), 0, 0, debounce);
    addRepeatRecord(prefix + names[1], 0, s.repeat_interval(), s.hold_delay(), s.repeat_interval(), debounce);
    addRepeatRecord(prefix + names[2], s.one_key_delay(), 0, 0, 0, debounce);
    addRepeatRecord(prefix + names[3], 0, 0, s.one_switch_hold(), s.one_switch_hold_repeat(), debounce);
    addRepeatRecord(prefix + names[4], s.dwell_delay(), 0, 0, 0, debounce);
    addRepeatRecord(prefix + names[5], s.dwell_delay(), s.dwell_repeat(), 0, 0, debounce);
}

void GlobalInputRefs::addRepeatRecord(const std::string& name, int dwell, int repeat, int hold, int holdRepeat,
                                      int debounce) {
    flatbuffers::FlatBufferBuilder builder(1024);
    builder.Finish(Input::Config::CreateTimingDef(builder, dwell, repeat, hold, holdRepeat, debounce));
    m_repeats[name] = builder.Release();
}

void GlobalInputRefs::addNamedList(const Access::TriggerList& list) {
    std::vector<const Input::Config::TriggerDef*>& items = m_lists[Util::toStdString(list.name())];
    for (const Input::Config::TriggerDef* trigger : Input::toTableList(list.triggers())) items.push_back(trigger);
}

const Input::Config::TimingDef* GlobalInputRefs::getRepeat(const std::string& name) {
    const auto found = m_repeats.find(name);
    if (found == m_repeats.end()) return nullptr;
    return flatbuffers::GetRoot<Input::Config::TimingDef>(found->second.data());
}

const Input::Config::TriggerDef* GlobalInputRefs::getListItem(const std::string& name, int index) {
    const auto found = m_lists.find(name);
    if (found == m_lists.end() || index < 0 || static_cast<size_t>(index) >= found->second.size()) return nullptr;
    return found->second[static_cast<size_t>(index)];
}

int GlobalInputRefs::getListSize(const std::string& name) {
    const auto found = m_lists.find(name);
    return found == m_lists.end() ? 0 : static_cast<int>(found->second.size());
}

std::string GlobalInputRefs::getString(const std::string& key) {
    const auto found = m_aliases.find(key);
    return found == m_aliases.end() ? key : found->second;
}

}  // namespace Zelmo
