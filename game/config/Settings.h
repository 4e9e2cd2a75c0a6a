#pragma once
#include <array>
#include <string>

#include "engine/data/Preferences.h"

// The game's settings: everything the player can change, as named texts in one settings store.
// Every key is "PREF_" followed by the setting's name; the functions below take the name and add
// the prefix.
namespace Zelmo {

// The one process-wide store, ordered by the keys' bytes.
Game::SettingsMap& settings();

// The value, or an empty text when the setting does not exist.
std::string getPref(const std::string& name);
void setPref(const std::string& name, const std::string& value);
// The value as a decimal integer: 0 when empty or absent; a fatal stop when it is not a number.
int getPrefInt(const std::string& name);

// The game options, in the order they are set; each setting Setting::kOptionPrefix + name holds
// the index of the option's current value in the tuning table's "OPTIONVALUES".
const std::array<std::string, 25>& gameOptionNames();

// The current value of a game option. An option without values in "OPTIONVALUES" is 1.0; a stored
// index outside the option's values is reset to "0".
float getOptionValue(const std::string& name);

// The 22 binding settings from the configuration's defaults.
void setDefaultBindings();
// The controls screen's reset: the same as setDefaultBindings.
void resetBindings();
// Every game option to "0", its first (normal) value.
void setDefaultOptions();

// The four volumes as fractions (the settings hold percentages); a fatal stop when one is not a number.
struct Volumes {
    float master = 1.0f;
    float sound = 1.0f;
    float music = 1.0f;
    float speech = 1.0f;
};
Volumes readVolumes();

}  // namespace Zelmo
