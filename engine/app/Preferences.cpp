#include "engine/app/Preferences.h"

#include <cstdio>
#include <utility>

#include "engine/app/ConfigReaders.h"
#include "engine/util/Files.h"
#include "engine/util/Text.h"

namespace Zelmo {
namespace {

bool isQuoted(const std::string& value) { return Util::startsWith(value, "\""); }

// A quoted value goes on over the following lines until it ends with its closing quote.
bool isOpen(const std::string& value) { return isQuoted(value) && (value.size() == 1 || !Util::endsWith(value, "\"")); }

// A line ending in '\' joins the next without a line break, and one ending in "\n\" with one.
void appendContinuation(std::string& value, const std::string& line) {
    if (Util::endsWith(value, "\\")) {
        value.pop_back();
        if (Util::endsWith(value, "\\n")) value.replace(value.size() - 2, 2, "\n");
    } else {
        value += '\n';
    }
    value += Util::trimRight(line);
}

// A quoted value loses exactly its enclosing quotes, so a value may itself begin or end with
// one; an unquoted value loses the quotes it ends with.
std::string unquote(const std::string& value) {
    if (isQuoted(value)) return value.substr(1, value.size() - 2);
    const size_t l_end = value.find_last_not_of('"');
    return l_end == std::string::npos ? std::string() : value.substr(0, l_end + 1);
}

// Written quoted when the value would not read back unquoted.
bool needsQuotes(const std::string& value) {
    if (value.empty()) return false;
    return value.find_first_of(" \n") != std::string::npos || isQuoted(value) || Util::endsWith(value, "\"") ||
           Util::trim(value) != value;
}

// Each line feed becomes "\n\" and a line break, which the reader turns back into the line feed.
std::string quote(const std::string& value) { return "\"" + Util::replaceAll(value, "\n", "\\n\\\n") + "\""; }

// No window has a side of 0 or less (0 x 0 asks for the desktop's size), and the window layer
// refuses or aborts on one; such a side gives way to the configuration's, and the player is told.
void replaceUnusableWindowSize(const std::string& path, const SettingDefaults& defaults) {
    if (getPrefInt("SCREEN_WIDTH") == 0 && getPrefInt("SCREEN_HEIGHT") == 0) return;
    const std::pair<const char*, int> l_sides[] = {{"SCREEN_WIDTH", defaults.screenWidth},
                                                   {"SCREEN_HEIGHT", defaults.screenHeight}};
    for (const auto& [l_name, l_default] : l_sides) {
        if (getPrefInt(l_name) > 0) continue;
        std::fprintf(stderr, "%s: %s = %s ignored (not a window size); using %d\n", path.c_str(), l_name,
                     getPref(l_name).c_str(), l_default);
        setPref(l_name, std::to_string(l_default));
    }
}

}  // namespace

bool parsePreferences(const std::string& text, SettingsMap& into) {
    std::vector<std::string> l_lines;
    Util::split(text, "\n", l_lines, false, false);
    for (size_t l_i = 0; l_i < l_lines.size(); ++l_i) {
        const std::string l_line = Util::trim(l_lines[l_i]);
        if (Util::startsWith(l_line, "#")) continue;
        std::string l_name;
        std::string l_value;
        if (!Util::parseKeyValue(l_line, l_name, l_value)) continue;
        while (isOpen(l_value)) {
            if (++l_i == l_lines.size()) return false;
            appendContinuation(l_value, l_lines[l_i]);
        }
        into[kSettingPrefix + l_name] = unquote(l_value);
    }
    return true;
}

std::vector<std::string> preferenceLines(const SettingsMap& settings) {
    std::vector<std::string> l_lines;
    for (const auto& [l_key, l_value] : settings) {
        l_lines.push_back(Util::tail(l_key, kSettingPrefix.size()) + " = " +
                          (needsQuotes(l_value) ? quote(l_value) : l_value));
    }
    return l_lines;
}

bool loadPreferences(const std::string& path) {
    const SettingDefaults l_defaults = readSettingDefaults();
    setPref("INPUT_METHOD", l_defaults.inputMethod);
    setDefaultBindings();
    setDefaultOptions();
    setPref("SCREEN_WIDTH", std::to_string(l_defaults.screenWidth));
    setPref("SCREEN_HEIGHT", std::to_string(l_defaults.screenHeight));
    setPref("SCREEN_FULL", l_defaults.screenFull ? "1" : "0");
    for (const char* l_volume : {"VOL_MASTER", "VOL_SOUND", "VOL_MUSIC", "VOL_SPEECH"}) setPref(l_volume, "100");

    std::string l_text;
    if (!Util::readTextFile(path, l_text, "\n")) return true;
    const bool l_complete = parsePreferences(l_text, settings());
    replaceUnusableWindowSize(path, l_defaults);
    return l_complete;
}

bool savePreferences(const std::string& path) {
    // Written beside the old file and renamed over it, so a failed write never loses the old one.
    const std::string l_temporary = path + ".tmp";
    if (!Util::writeTextFile(l_temporary, preferenceLines(settings())) ||
        std::rename(l_temporary.c_str(), path.c_str()) != 0) {
        std::remove(l_temporary.c_str());
        return false;
    }
    return true;
}

}  // namespace Zelmo
