#pragma once
#include <string>

// The game's preferences file, holding its settings store between runs.
namespace Zelmo {

inline const std::string kPreferencesFile = "preferences.cfg";

// Fills the settings store with the configuration's defaults, then overlays the file. A missing
// or empty file leaves the defaults and is no failure. A line that cannot be read, or whose value
// cannot stand for its setting (settingFault), is left out with one line to standard error naming
// the file, the line and the fault, and false is returned; every other line is read. So is a
// window side of 0 (other than 0 x 0, the desktop's size), which the configuration's replaces.
bool loadPreferences(const std::string& path = kPreferencesFile);

// Writes every setting in key order. The file is replaced only once the new one is complete, and
// keeps its permissions; when it cannot be, one line to standard error says why, and false.
bool savePreferences(const std::string& path = kPreferencesFile);

}  // namespace Zelmo
