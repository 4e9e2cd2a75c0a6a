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
    const std::pair<const std::string&, int> sides[] = {{Setting::kScreenWidth, defaults.screenWidth},
                                                        {Setting::kScreenHeight, defaults.screenHeight}};
    for (const auto& [name, fallback] : sides) {
        if (getPrefInt(name) > 0) continue;
        std::fprintf(stderr, "%s: %s = %s ignored (not a window size); using %d\n", path.c_str(), name.c_str(),
                     getPref(name).c_str(), fallback);
        setPref(name, std::to_string(fallback));
    }
}

}  // namespace

bool loadPreferences(const std::string& path) {
    const SettingDefaults defaults = readSettingDefaults();
    setPref(Setting::kInputMethod, defaults.inputMethod);
    setDefaultBindings();
    setDefaultOptions();
    setPref(Setting::kScreenWidth, std::to_string(defaults.screenWidth));
    setPref(Setting::kScreenHeight, std::to_string(defaults.screenHeight));
    setPref(Setting::kScreenFull, defaults.screenFull ? "1" : "0");
    for (const std::string& volume : Setting::kVolumes) setPref(volume, Setting::kFullVolume);
    const bool complete = Game::readPreferences(path, settings());
    replaceUnusableWindowSize(path, defaults);
    return complete;
}

bool savePreferences(const std::string& path) { return Game::writePreferences(path, settings()); }

}  // namespace Zelmo
