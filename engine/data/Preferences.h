#pragma once
#include <cstddef>
#include <functional>
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

// Why a value cannot stand for the named setting; empty when it can.
using SettingCheck = std::function<std::string(const std::string& name, const std::string& value)>;

// A line of the file that was left out, and why.
struct PreferenceFault {
    size_t line = 0;   // counted from 1
    std::string text;  // the line without its outer blanks (a continued value's first line)
    std::string name;  // the setting it was for; empty when the line names none
    std::string reason;
};

// The parsing and writing halves of the file. parsePreferences stores each setting of the text
// under "PREF_" + name. A line that is no "NAME = value", a quoted value whose closing quote is
// missing, or a value the check refuses is left out with nothing else, and listed; what came
// before it stands. preferenceLines writes every setting in key order.
std::vector<PreferenceFault> parsePreferences(const std::string& text, SettingsMap& into,
                                              const SettingCheck& check = {});
std::vector<std::string> preferenceLines(const SettingsMap& settings);

// Overlays the file's settings on the store, as parsePreferences does. A missing or empty file
// changes nothing and is no fault.
std::vector<PreferenceFault> readPreferences(const std::string& path, SettingsMap& into,
                                             const SettingCheck& check = {});

// Writes every setting in key order. The file is replaced only once the new one is complete and
// keeps its permissions; false, with the system's reason, when it cannot be.
bool writePreferences(const std::string& path, const SettingsMap& settings, std::string& reason);

}  // namespace Game
