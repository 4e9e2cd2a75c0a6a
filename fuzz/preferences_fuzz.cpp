// The preferences parser on any text: it must not fail, and whatever settings it reads must be
// written so that they read back unchanged, without a line left out.
#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/data/Preferences.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    Game::SettingsMap readCount;
    Game::parsePreferences(text, readCount);

    std::string written;
    for (const auto& line : Game::preferenceLines(readCount)) written += line + "\n";
    Game::SettingsMap reread;
    if (!Game::parsePreferences(written, reread).empty() || reread != readCount) __builtin_trap();
    return 0;
}
