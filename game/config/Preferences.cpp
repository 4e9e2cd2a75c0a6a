#include "game/config/Preferences.h"

#include <cstdio>
#include <utility>

#include "engine/data/Preferences.h"
#include "game/config/ConfigReaders.h"
#include "game/config/SettingKeys.h"
#include "game/config/Settings.h"

namespace Zelmo {
namespace {

// No window has a side of 0 or less (0 x 0 asks for the desktop's size), and the window layer
// refuses or aborts on one; such a side gives way to the configuration's, and the player is told.
void replaceUnusableWindowSize(const std::string& path, const SettingDefaults& defaults) {
    if (getPrefInt(Setting::kScreenWidth) == 0 && getPrefInt(Setting::kScreenHeight) == 0) return;
    const std::pair<const std::string&, int> l_sides[] = {{Setting::kScreenWidth, defaults.screenWidth},
                                                          {Setting::kScreenHeight, defaults.screenHeight}};
    for (const auto& [l_name, l_default] : l_sides) {
        if (getPrefInt(l_name) > 0) continue;
        std::fprintf(stderr, "%s: %s = %s ignored (not a window size); using %d\n", path.c_str(), l_name.c_str(),
                     getPref(l_name).c_str(), l_default);
        setPref(l_name, std::to_string(l_default));
    }
}

}  // namespace

bool loadPreferences(const std::string& path) {
    const SettingDefaults l_defaults = readSettingDefaults();
    setPref(Setting::kInputMethod, l_defaults.inputMethod);
    setDefaultBindings();
    setDefaultOptions();
    setPref(Setting::kScreenWidth, std::to_string(l_defaults.screenWidth));
    setPref(Setting::kScreenHeight, std::to_string(l_defaults.screenHeight));
    setPref(Setting::kScreenFull, l_defaults.screenFull ? "1" : "0");
    for (const std::string& l_volume : Setting::kVolumes) setPref(l_volume, Setting::kFullVolume);
    const bool l_complete = Game::readPreferences(path, settings());
    replaceUnusableWindowSize(path, l_defaults);
    return l_complete;
}

bool savePreferences(const std::string& path) { return Game::writePreferences(path, settings()); }

}  // namespace Zelmo
