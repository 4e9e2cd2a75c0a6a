#pragma once
#include <array>
#include <string>

// The input methods a player can choose, by the names that the settings, the state table and the
// input file names ("[INPUT-METHOD]") use.
namespace Zelmo {

inline const std::string kStandardMethod = "STANDARD";
inline const std::string kOneKeyMethod = "ONEKEY";
inline const std::string kOneSwitchMethod = "ONESWITCH";
inline const std::string kHeadTrackerMethod = "HEADTRACKER";

// Every method, in the order of the configuration's InputMethod values 1 to 4.
inline const std::array<std::string, 4> kInputMethods = {kStandardMethod, kOneKeyMethod, kOneSwitchMethod,
                                                         kHeadTrackerMethod};

// No method chosen (the configuration's InputMethod value 0): the method picker comes first.
inline const std::string kNoInputMethod = "NONE";

// Whether the name is one of the four methods.
bool isInputMethod(const std::string& name);

}  // namespace Zelmo
