#include "engine/data/Preferences.h"

#include <cstdio>

#include "engine/util/Files.h"
#include "engine/util/Text.h"

namespace Game {
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
    const size_t endPos = value.find_last_not_of('"');
    return endPos == std::string::npos ? std::string() : value.substr(0, endPos + 1);
}

// Written quoted when the value would not read back unquoted.
bool needsQuotes(const std::string& value) {
    if (value.empty()) return false;
    return value.find_first_of(" \n") != std::string::npos || isQuoted(value) || Util::endsWith(value, "\"") ||
           Util::trim(value) != value;
}

// Each line feed becomes "\n\" and a line break, which the reader turns back into the line feed.
std::string quote(const std::string& value) { return "\"" + Util::replaceAll(value, "\n", "\\n\\\n") + "\""; }

}  // namespace

bool parsePreferences(const std::string& text, SettingsMap& into) {
    std::vector<std::string> lines;
    Util::split(text, "\n", lines, false, false);
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string line = Util::trim(lines[i]);
        if (Util::startsWith(line, "#")) continue;
        std::string name;
        std::string value;
        if (!Util::parseKeyValue(line, name, value)) continue;
        while (isOpen(value)) {
            if (++i == lines.size()) return false;
            appendContinuation(value, lines[i]);
        }
        into[kSettingPrefix + name] = unquote(value);
    }
    return true;
}

std::vector<std::string> preferenceLines(const SettingsMap& settings) {
    std::vector<std::string> lines;
    for (const auto& [key, value] : settings) {
        lines.push_back(Util::tail(key, kSettingPrefix.size()) + " = " + (needsQuotes(value) ? quote(value) : value));
    }
    return lines;
}

bool readPreferences(const std::string& path, SettingsMap& into) {
    std::string text;
    if (!Util::readTextFile(path, text, "\n")) return true;
    return parsePreferences(text, into);
}

bool writePreferences(const std::string& path, const SettingsMap& settings) {
    // Written beside the old file and renamed over it, so a failed write never loses the old one.
    const std::string temporary = path + ".tmp";
    if (!Util::writeTextFile(temporary, preferenceLines(settings)) ||
        std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

}  // namespace Game
