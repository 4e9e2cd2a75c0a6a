#pragma once
#include <array>
#include <string>

// The names (without "PREF_") of the settings the game keeps, with the texts they start from.
namespace Zelmo::Setting {

// The chosen input method (InputMethods.h); it starts from the configuration's defaults table.
inline const std::string kInputMethod = "INPUT_METHOD";

// The window size in pixels and full screen ("1" or "0"); they start from the configuration's
// defaults table, and leaving the game keeps the window's size of the moment.
inline const std::string kScreenWidth = "SCREEN_WIDTH";
inline const std::string kScreenHeight = "SCREEN_HEIGHT";
inline const std::string kScreenFull = "SCREEN_FULL";

// Volumes in percent, each starting at kFullVolume.
inline const std::string kMasterVolume = "VOL_MASTER";
inline const std::string kSoundVolume = "VOL_SOUND";
inline const std::string kMusicVolume = "VOL_MUSIC";
inline const std::string kSpeechVolume = "VOL_SPEECH";
inline const std::array<std::string, 4> kVolumes = {kMasterVolume, kSoundVolume, kMusicVolume, kSpeechVolume};
inline const std::string kFullVolume = "100";

// A game option's setting is kOptionPrefix and the option's name; it holds the index of the
// option's current value, starting at kFirstOptionValue.
inline const std::string kOptionPrefix = "OPT_";
inline const std::string kFirstOptionValue = "0";

// A binding's setting is a prefix and the display name of the key, mouse button set or joypad
// bits it stands for; it starts from the configuration's defaults table.
inline const std::string kKeyBindingPrefix = "INPUT_KEY_";
inline const std::string kMouseBindingPrefix = "INPUT_MOUSE_";
inline const std::string kJoypadBindingPrefix = "INPUT_JPAD_";

}  // namespace Zelmo::Setting
