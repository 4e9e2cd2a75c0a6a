#pragma once
#include <string>

// The help texts name the game's controls by the inputs the configuration binds them to by
// default; the player sees the inputs they have bound instead.
namespace Zelmo {

// The text with every bracketed trigger text of a key, mouse button or joypad ("[KEY:P]",
// "[MOUSE:LMB]", "[JPAD:B1]") replaced by the input the player has bound to that slot: "KEY:" and
// the key's name (letters as capitals, as keyboards print them; modifiers are not shown), the
// mouse button's name, or "JPAD:" and the joypad name. An input without a binding slot names
// itself. Bracketed words that are not such trigger texts, and inputs bound to something that
// has no name (a wheel, a binding that fires nothing), stay as written, brackets and all.
std::string fillBoundInputs(const std::string& text);

}  // namespace Zelmo
