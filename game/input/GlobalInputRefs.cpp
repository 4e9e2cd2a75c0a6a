#include "game/input/GlobalInputRefs.h"

#include "data/Accessibility_generated.h"
#include "engine/data/TableDefaults.h"
#include "engine/input/InputConfigReaders.h"
#include "engine/util/FlatText.h"

namespace Zelmo {
namespace {

// Each time paces a screen: 0 or less would make it fire every frame or never light a choice,
// and one above a minute would leave the player waiting as if it were frozen.
constexpr int kMostTimingMs = 60000;

// The first time of a settings table outside 1 to kMostTimingMs (the debounce time, which may be
// 0 for none, 0 to kMostTimingMs), as "field <set>.<name>: ...".
std::string settingsFault(const std::string& set, const Access::TimingSettings* settings) {
    const Access::TimingSettings& s = *Game::tableOrDefaults(settings);
    const std::pair<const char*, int> times[] = {{"dwell_delay", s.dwell_delay()},
                                                 {"dwell_repeat", s.dwell_repeat()},
                                                 {"one_key_delay", s.one_key_delay()},
                                                 {"one_switch_hold", s.one_switch_hold()},
                                                 {"one_switch_hold_repeat", s.one_switch_hold_repeat()},
                                                 {"hold_delay", s.hold_delay()},
                                                 {"repeat_interval", s.repeat_interval()}};
    for (const auto& [name, value] : times) {
        if (value < 1 || value > kMostTimingMs) {
            return "field " + set + "." + name + ": must be 1 to " + std::to_string(kMostTimingMs) + " ms";
        }
    }
    if (s.debounce() < 0 || s.debounce() > kMostTimingMs) {
        return "field " + set + ".debounce: must be 0 to " + std::to_string(kMostTimingMs) + " ms";
    }
    return "";
}

}  // namespace

const std::vector<std::string>& GlobalInputRefs::repeatModeNames() {
    static const std::vector<std::string> s_names = {"standardRep",      "standardRepHold", "oneKey",
                                                     "oneSwitchRepHold", "dwell",           "dwellRep"};
    return s_names;
}

bool GlobalInputRefs::load(const std::string& schemaPath, const std::string& dataPath) {
    m_loadError.clear();
    if (!m_data.loadSchema(schemaPath)) {
        m_loadError = schemaPath + ":" + m_data.parseError();
        return false;
    }
    const uint8_t* data = m_data.loadData(dataPath);
    if (data == nullptr) {
        m_loadError = m_data.parseError();
        return false;
    }
    const Access::Accessibility* root = Access::GetAccessibility(data);
    for (const auto& [set, settings] : {std::pair{"menu", root->menu()}, std::pair{"game", root->game()}}) {
        const std::string fault = settingsFault(set, settings);
        if (!fault.empty()) {
            m_loadError = Game::resolveDataName(dataPath) + ": " + fault;
            return false;
        }
    }
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
