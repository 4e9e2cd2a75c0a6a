#include "game/config/Preferences.h"

#include "engine/data/Preferences.h"
#include "game/config/ConfigReaders.h"
#include "game/config/Settings.h"

namespace Zelmo {

bool loadPreferences(const std::string& path) {
    const SettingDefaults l_defaults = readSettingDefaults();
    setPref("INPUT_METHOD", l_defaults.inputMethod);
    setDefaultBindings();
    setDefaultOptions();
    setPref("SCREEN_WIDTH", std::to_string(l_defaults.screenWidth));
    setPref("SCREEN_HEIGHT", std::to_string(l_defaults.screenHeight));
    setPref("SCREEN_FULL", l_defaults.screenFull ? "1" : "0");
    for (const char* l_volume : {"VOL_MASTER", "VOL_SOUND", "VOL_MUSIC", "VOL_SPEECH"}) setPref(l_volume, "100");
    return Game::readPreferences(path, settings());
}

bool savePreferences(const std::string& path) { return Game::writePreferences(path, settings()); }

}  // namespace Zelmo
