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
    const auto it = settings().find(Game::kSettingPrefix + name);
    return it == settings().end() ? std::string() : it->second;
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
    const std::string setting = Setting::kOptionPrefix + name;
    for (const OptionTable* option : Globals::tables<OptionTable>("OPTIONVALUES")) {
        if (Util::toStdString(option->name()) != setting) continue;
        const auto* values = option->values();
        // An option with no values cannot be indexed: it reads as one left out of the table.
        if (!values || values->size() == 0) return 1.0f;
        int index = getPrefInt(setting);
        if (index < 0 || index >= int(values->size())) {
            setPref(setting, Setting::kFirstOptionValue);
            index = 0;
        }
        return values->Get(flatbuffers::uoffset_t(index))->value();
    }
    return 1.0f;
}

void setDefaultBindings() {
    const SettingDefaults defaults = readSettingDefaults();
    for (size_t i = 0; i < defaults.bindings.size(); ++i) setPref(bindingNames()[i], defaults.bindings[i]);
}

void resetBindings() { setDefaultBindings(); }

void setDefaultOptions() {
    for (const auto& name : gameOptionNames()) setPref(Setting::kOptionPrefix + name, Setting::kFirstOptionValue);
}

Volumes readVolumes() {
    auto fraction = [](const std::string& name) { return Util::toFloat(getPref(name), 10) / 100.0f; };
    Volumes volumes;
    volumes.master = fraction(Setting::kMasterVolume);
    volumes.sound = fraction(Setting::kSoundVolume);
    volumes.music = fraction(Setting::kMusicVolume);
    volumes.speech = fraction(Setting::kSpeechVolume);
    return volumes;
}

}  // namespace Zelmo
