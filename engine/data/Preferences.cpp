#include "engine/data/Preferences.h"

#include <optional>

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

// Collects a quoted value over the lines that continue it, and gives the index of its last line;
// nothing when its closing quote is missing. A line that holds '=' is a setting of its own unless
// the line before asked for it with a trailing backslash (as the writer does), so that one quote
// left open costs only its own line.
std::optional<size_t> continueValue(const std::vector<std::string>& lines, size_t first, std::string& value) {
    size_t i = first;
    while (isOpen(value)) {
        do {
            if (++i == lines.size()) return std::nullopt;
        } while (lines[i].empty());
        if (!Util::endsWith(value, "\\") && lines[i].find('=') != std::string::npos) return std::nullopt;
        appendContinuation(value, lines[i]);
    }
    return i;
}

}  // namespace

std::vector<PreferenceFault> parsePreferences(const std::string& text, SettingsMap& into, const SettingCheck& check) {
    std::vector<std::string> lines;
    Util::split(text, "\n", lines, true, false);
    std::vector<PreferenceFault> faults;
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string line = Util::trim(lines[i]);
        if (line.empty() || Util::startsWith(line, "#")) continue;
        std::string name;
        std::string value;
        if (!Util::parseKeyValue(line, name, value) || name.empty()) {
            faults.push_back({i + 1, line, "", "not NAME = value"});
            continue;
        }
        const std::optional<size_t> last = continueValue(lines, i, value);
        if (!last) {
            faults.push_back({i + 1, line, name, "its closing quote is missing"});
            continue;
        }
        value = unquote(value);
        const std::string reason = check ? check(name, value) : std::string();
        if (reason.empty()) {
            into[kSettingPrefix + name] = value;
        } else {
            faults.push_back({i + 1, line, name, reason});
        }
        i = *last;
    }
    return faults;
}

std::vector<std::string> preferenceLines(const SettingsMap& settings) {
    std::vector<std::string> lines;
    for (const auto& [key, value] : settings) {
        lines.push_back(Util::tail(key, kSettingPrefix.size()) + " = " + (needsQuotes(value) ? quote(value) : value));
    }
    return lines;
}

std::vector<PreferenceFault> readPreferences(const std::string& path, SettingsMap& into, const SettingCheck& check) {
    std::string text;
    if (!Util::readTextFile(path, text, "\n")) return {};
    return parsePreferences(text, into, check);
}

bool writePreferences(const std::string& path, const SettingsMap& settings, std::string& reason) {
    std::string text;
    for (const std::string& line : preferenceLines(settings)) text += line + '\n';
    return Util::replaceFile(path, text, reason);
}

}  // namespace Game
