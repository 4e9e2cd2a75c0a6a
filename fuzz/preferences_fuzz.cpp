// The preferences parser on any text: it must not fail, and whatever settings it reads must be
// written so that they read back unchanged.
#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/data/Preferences.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string l_text(reinterpret_cast<const char*>(data), size);
    Game::SettingsMap l_read;
    Game::parsePreferences(l_text, l_read);

    std::string l_written;
    for (const auto& l_line : Game::preferenceLines(l_read)) l_written += l_line + "\n";
    Game::SettingsMap l_reread;
    if (!Game::parsePreferences(l_written, l_reread) || l_reread != l_read) __builtin_trap();
    return 0;
}
