#pragma once
#include <string>

namespace Zelmo {

// Why the value cannot stand for the setting of that name (without "PREF_"), in a few words;
// empty when it can, and for every name the game does not read. Each value is checked as the
// file is read, so the game's readers of the settings meet none that would stop it.
std::string settingFault(const std::string& name, const std::string& value);

}  // namespace Zelmo
