#pragma once

namespace Input {

// The action that the input controller runs itself: its parameter names the area to go to.
inline constexpr const char* kGotoArea = "GOTO_AREA";
// The parameter of "GOTO_AREA" that leaves and re-enters the current area.
inline constexpr const char* kCurrentAreaParam = "[GOTOCURAREA]";
// The neutral area of a configuration, taken when an area to go to does not exist.
inline constexpr const char* kAnywhere = "ANYWHERE";
// As the single area name of a switch: every area of its file.
inline constexpr const char* kAllAreas = "*ALL*";

}  // namespace Input
