#pragma once
#include <string>
#include <vector>

#include "engine/shell/VideoModes.h"

// The settings page's arithmetic, apart from the screen that shows it.
namespace Zelmo {

// Volumes move in whole percent, so that any number of steps down and as many up come back to
// where they started; the result stays within 0 to 100.
constexpr int kVolumeStepPercent = 5;
int stepVolume(int percent, bool up);

// The window sizes to step through: the display's modes and the window's own size, sorted by
// width and then height, each once; index is where the window's size stands.
struct Resolutions {
    std::vector<Game::VideoMode> modes;
    int index = 0;
};
Resolutions resolutionsWith(std::vector<Game::VideoMode> modes, Game::VideoMode current);
// The index one step up or down, kept within the list.
int stepResolution(const Resolutions& resolutions, bool up);

// What the settings page's labels show.
struct SettingsValues {
    int masterPercent = 0;
    int effectsPercent = 0;
    int musicPercent = 0;
    int speechPercent = 0;
    int windowWidth = 0;
    int windowHeight = 0;
    bool fullscreen = false;
};
// The text with "[MASTER_VOL]", "[EFFECT_VOL]", "[MUSIC_VOL]", "[SPEECH_VOL]" (three digits at
// least), "[RESOLUTION]" (width "x" height) and "[FULLSCREEN]" ("X" or a blank) filled in.
std::string fillSettingsLabels(const std::string& text, const SettingsValues& values);

}  // namespace Zelmo
