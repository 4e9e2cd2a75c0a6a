#pragma once
#include <string>
#include <vector>

#include "engine/app/Settings.h"

// The preferences file: one "NAME = value" line per setting. A value in double quotes may
// hold blanks at its ends and, continued over several lines, line feeds.
namespace Zelmo {

inline const std::string kPreferencesFile = "preferences.cfg";

// Fills the settings store with the configuration's defaults, then overlays the file. A missing
// or empty file leaves the defaults and is no failure; a quoted value left open at the end of
// the file is (the settings read before it stay). A window side of 0 or less (other than 0 x 0,
// the desktop's size) is replaced by the configuration's, with one line to standard error.
bool loadPreferences(const std::string& path = kPreferencesFile);

// Writes every setting in key order. The file is replaced only once the new one is complete.
bool savePreferences(const std::string& path = kPreferencesFile);

// The parsing and writing halves of the two above, on texts: parsePreferences stores each
// setting of the text under "PREF_" + name and returns false for a quoted value left open.
bool parsePreferences(const std::string& text, SettingsMap& into);
std::vector<std::string> preferenceLines(const SettingsMap& settings);

}  // namespace Zelmo
