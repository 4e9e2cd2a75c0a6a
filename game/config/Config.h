#pragma once
#include <string>

#include "game/config/Preferences.h"

namespace Zelmo {

struct ConfigRoot;

inline const std::string kConfigSchema = "data/config.fbs";
inline const std::string kDefaultConfigName = "data/config";

// Loads the configuration named (".fb" or ".json" chosen by the data name rule) against
// "data/config.fbs", keeps it for the whole run, then fills the settings store from its
// defaults and the preferences file. A schema or data file that cannot be read or parsed, or a
// game table that the window cannot run with (gameTableError), is a fatal stop; the result is
// that of loading the preferences.
bool loadConfig(const std::string& name, const std::string& preferencesPath = kPreferencesFile);

// The loaded configuration's root, or null when none is loaded.
const ConfigRoot* configRoot();

// Releases the configuration; every table pointer into it becomes invalid.
void unloadConfig();

}  // namespace Zelmo
