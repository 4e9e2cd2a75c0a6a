#pragma once
#include <string>

// The game options as the options screen shows and steps them: each entry of the tuning table's
// "OPTIONVALUES" is an option's setting name ("OPT_" and the option) with its values and their
// labels; the setting holds the index of the chosen value.
namespace Zelmo {

// The setting a value area stands for: the area's name with "PAGE<n>_VAL_" (n the page counted
// from 1, as the areas are named) made "OPT_".
std::string optionSettingOfArea(const std::string& areaName, int page);

// Moves the option's setting one value on or back, going round at both ends; an index that is
// out of range steps as from the nearest end it passed. False, and nothing changed, for a
// setting that no option (or an option without values) has.
bool stepOption(const std::string& setting, bool forward);

// The text with every "[OPT_...]" of an option replaced by the label of its chosen value. A
// setting whose index is outside the option's values is set back to the first value first.
std::string fillOptionLabels(const std::string& text);

}  // namespace Zelmo
