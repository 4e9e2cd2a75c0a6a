#include "game/config/Preferences.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

#include "engine/data/Preferences.h"
#include "game/config/ConfigReaders.h"
#include "game/config/SettingChecks.h"
#include "game/config/SettingKeys.h"
#include "game/config/Settings.h"

namespace Zelmo {
namespace {

// The path of a settings file that was there but could not be read: it still holds the player's
// settings, so the game does not save the defaults over it.
std::string s_unreadableFile;

// Why a file that is there cannot be read; empty when it can, or when there is none.
std::string whyUnreadable(const std::string& path) {
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor >= 0) {
        ::close(descriptor);
        return "";
    }
    return errno == ENOENT ? "" : std::strerror(errno);
}

// Text from the file as the player is shown it: on one line, no control characters for the
// terminal to act on, and no longer than fits beside the message.
std::string shown(const std::string& text) {
    constexpr size_t kLongest = 60;
    std::string line = text.substr(0, kLongest);
    for (char& c : line) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = '?';
    }
    return text.size() > kLongest ? line + "..." : line;
}

void tell(const std::string& path, const Game::PreferenceFault& fault) {
    std::string line =
        path + ": line " + std::to_string(fault.line) + ": " + shown(fault.text) + " ignored (" + fault.reason + ")";
    const auto inEffect = settings().find(Game::kSettingPrefix + fault.name);
    if (!fault.name.empty() && inEffect != settings().end()) line += "; using " + shown(inEffect->second);
    std::fprintf(stderr, "%s\n", line.c_str());
}

// No window has a side of 0 (0 x 0 asks for the desktop's size), and the window layer refuses or
// aborts on one; such a side gives way to the configuration's, and the player is told. False when
// one did.
bool keepsWindowSides(const std::string& path, const SettingDefaults& defaults) {
    if (getPrefInt(Setting::kScreenWidth) == 0 && getPrefInt(Setting::kScreenHeight) == 0) return true;
    const std::pair<const std::string&, int> sides[] = {{Setting::kScreenWidth, defaults.screenWidth},
                                                        {Setting::kScreenHeight, defaults.screenHeight}};
    bool kept = true;
    for (const auto& [name, fallback] : sides) {
        if (getPrefInt(name) != 0) continue;
        std::fprintf(stderr, "%s: %s = %s ignored (not a window size); using %d\n", path.c_str(), name.c_str(),
                     getPref(name).c_str(), fallback);
        setPref(name, std::to_string(fallback));
        kept = false;
    }
    return kept;
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
    const std::string unreadable = whyUnreadable(path);
    s_unreadableFile = unreadable.empty() ? "" : path;
    if (!unreadable.empty()) {
        std::fprintf(stderr, "%s: could not read the settings (%s); using the defaults, and not saving over it\n",
                     path.c_str(), unreadable.c_str());
        return false;
    }
    const std::vector<Game::PreferenceFault> faults = Game::readPreferences(path, settings(), settingFault);
    for (const Game::PreferenceFault& fault : faults) tell(path, fault);
    const bool sidesKept = keepsWindowSides(path, defaults);
    return sidesKept && faults.empty();
}

bool savePreferences(const std::string& path) {
    if (path == s_unreadableFile) {
        std::fprintf(stderr, "%s: could not save the settings (the file could not be read, and is kept)\n",
                     path.c_str());
        return false;
    }
    std::string reason;
    if (Game::writePreferences(path, settings(), reason)) return true;
    std::fprintf(stderr, "%s: could not save the settings (%s)\n", path.c_str(), reason.c_str());
    return false;
}

}  // namespace Zelmo
