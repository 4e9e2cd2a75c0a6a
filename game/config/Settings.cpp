#include "game/config/Settings.h"

#include "data/Globals_generated.h"
#include "engine/data/Globals.h"
#include "engine/util/Convert.h"
#include "engine/util/FlatText.h"
#include "game/config/ConfigReaders.h"
#include "game/config/SettingKeys.h"

namespace Zelmo {

Game::SettingsMap& settings() {
    static Game::SettingsMap s_settings;
    return s_settings;
}

std::string getPref(const std::string& name) {
    const auto l_it = settings().find(Game::kSettingPrefix + name);
    return l_it == settings().end() ? std::string() : l_it->second;
}

void setPref(const std::string& name, const std::string& value) { settings()[Game::kSettingPrefix + name] = value; }

int getPrefInt(const std::string& name) { return Util::toInt(getPref(name), 10); }

const std::array<std::string, 25>& gameOptionNames() {
    static const std::array<std::string, 25> s_names = {
        "START_LEVEL",    "PUNCH_DMG",      "PUNCH_KBK",      "PUNCH_DELAY",     "DBZ_DMG",
        "DBZ_TIME",       "PLAYER_LIVES",   "PLAYER_HEALTH",  "RECHARGE_DELAY",  "RECHARGE_SPEED",
        "NUM_DBZ_POWS",   "ARMOUR_DURATION", "ROBOT_SPEED",   "BEAM_DMG",        "STRIKE_DMG",
        "PARTICLE_DMG",   "PARTICLE_SPEED", "CLAWER_DMG",     "SPINNER_DMG",     "GAME_SEED",
        "GAME_ZOOM",      "VECTOR_MENUS",   "VECTOR_SETTINGS", "MAP_OPACITY",    "FLOOR_ON"};
    return s_names;
}

float getOptionValue(const std::string& name) {
    const std::string l_setting = Setting::kOptionPrefix + name;
    for (const OptionTable* l_option : Globals::tables<OptionTable>("OPTIONVALUES")) {
        if (Util::toStdString(l_option->name()) != l_setting) continue;
        const auto* l_values = l_option->values();
        // An option with no values cannot be indexed: it reads as one left out of the table.
        if (!l_values || l_values->size() == 0) return 1.0f;
        int l_index = getPrefInt(l_setting);
        if (l_index < 0 || l_index >= int(l_values->size())) {
            setPref(l_setting, Setting::kFirstOptionValue);
            l_index = 0;
        }
        return l_values->Get(flatbuffers::uoffset_t(l_index))->value();
    }
    return 1.0f;
}

void setDefaultBindings() {
    const SettingDefaults l_defaults = readSettingDefaults();
    for (size_t l_i = 0; l_i < l_defaults.bindings.size(); ++l_i) setPref(bindingNames()[l_i], l_defaults.bindings[l_i]);
}

void resetBindings() { setDefaultBindings(); }

void setDefaultOptions() {
    for (const auto& l_name : gameOptionNames()) setPref(Setting::kOptionPrefix + l_name, Setting::kFirstOptionValue);
}

Volumes readVolumes() {
    auto l_fraction = [](const std::string& name) { return Util::toFloat(getPref(name), 10) / 100.0f; };
    Volumes l_volumes;
    l_volumes.master = l_fraction(Setting::kMasterVolume);
    l_volumes.sound = l_fraction(Setting::kSoundVolume);
    l_volumes.music = l_fraction(Setting::kMusicVolume);
    l_volumes.speech = l_fraction(Setting::kSpeechVolume);
    return l_volumes;
}

}  // namespace Zelmo
