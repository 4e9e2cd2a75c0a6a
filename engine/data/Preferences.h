#pragma once
#include <map>
#include <string>
#include <vector>

// A settings store kept as named texts, and the preferences file it is kept in: one
// "NAME = value" line per setting. A value in double quotes may hold blanks at its ends and,
// continued over several lines, line feeds.
namespace Game {

// Every key of a store is "PREF_" followed by the setting's name.
using SettingsMap = std::map<std::string, std::string>;

inline const std::string kSettingPrefix = "PREF_";

// The parsing and writing halves of the file: parsePreferences stores each setting of the text
// under "PREF_" + name and returns false for a quoted value left open at the end of the text
// (the settings read before it stay); preferenceLines writes every setting in key order.
bool parsePreferences(const std::string& text, SettingsMap& into);
std::vector<std::string> preferenceLines(const SettingsMap& settings);

// Overlays the file's settings on the store. A missing or empty file changes nothing and is no
// failure; a quoted value left open is.
bool readPreferences(const std::string& path, SettingsMap& into);

// Writes every setting in key order. The file is replaced only once the new one is complete.
bool writePreferences(const std::string& path, const SettingsMap& settings);

}  // namespace Game
