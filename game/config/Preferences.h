#pragma once
#include <string>

// The game's preferences file, holding its settings store between runs.
namespace Zelmo {

inline const std::string kPreferencesFile = "preferences.cfg";

// Fills the settings store with the configuration's defaults, then overlays the file. A missing
// or empty file leaves the defaults and is no failure; a quoted value left open at the end of
// the file is (the settings read before it stay). A window side of 0 or less (other than 0 x 0,
// the desktop's size) is replaced by the configuration's, with one line to standard error.
bool loadPreferences(const std::string& path = kPreferencesFile);

// Writes every setting in key order. The file is replaced only once the new one is complete.
bool savePreferences(const std::string& path = kPreferencesFile);

}  // namespace Zelmo
