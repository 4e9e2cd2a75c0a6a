#include "game/config/Preferences.h"

#include "engine/data/Preferences.h"
#include "game/config/ConfigReaders.h"
#include "game/config/SettingKeys.h"
#include "game/config/Settings.h"

namespace Zelmo {

bool loadPreferences(const std::string& path) {
    const SettingDefaults l_defaults = readSettingDefaults();
    setPref(Setting::kInputMethod, l_defaults.inputMethod);
    setDefaultBindings();
    setDefaultOptions();
    setPref(Setting::kScreenWidth, std::to_string(l_defaults.screenWidth));
    setPref(Setting::kScreenHeight, std::to_string(l_defaults.screenHeight));
    setPref(Setting::kScreenFull, l_defaults.screenFull ? "1" : "0");
    for (const std::string& l_volume : Setting::kVolumes) setPref(l_volume, Setting::kFullVolume);
    return Game::readPreferences(path, settings());
}

bool savePreferences(const std::string& path) { return Game::writePreferences(path, settings()); }

}  // namespace Zelmo
