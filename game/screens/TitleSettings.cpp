#include "game/screens/TitleSettings.h"

#include <algorithm>

#include "engine/util/Convert.h"

namespace Zelmo {
namespace {

void replaceAll(std::string& text, const std::string& placeholder, const std::string& value) {
    for (size_t at = text.find(placeholder); at != std::string::npos; at = text.find(placeholder, at + value.size())) {
        text.replace(at, placeholder.size(), value);
    }
}

std::string threeDigits(int value) { return Util::intToString(value, 3); }

}  // namespace

int stepVolume(int percent, bool up) {
    return std::clamp(percent + (up ? kVolumeStepPercent : -kVolumeStepPercent), 0, 100);
}

Resolutions resolutionsWith(std::vector<Game::VideoMode> modes, Game::VideoMode current) {
    modes.push_back(current);
    Resolutions resolutions;
    resolutions.modes = Game::distinctModes(std::move(modes));
    const auto at = std::find(resolutions.modes.begin(), resolutions.modes.end(), current);
    resolutions.index = int(at - resolutions.modes.begin());
    return resolutions;
}

int stepResolution(const Resolutions& resolutions, bool up) {
    const int last = int(resolutions.modes.size()) - 1;
    return std::clamp(resolutions.index + (up ? 1 : -1), 0, std::max(last, 0));
}

std::string fillSettingsLabels(const std::string& text, const SettingsValues& values) {
    std::string filled = text;
    replaceAll(filled, "[MASTER_VOL]", threeDigits(values.masterPercent));
    replaceAll(filled, "[EFFECT_VOL]", threeDigits(values.effectsPercent));
    replaceAll(filled, "[MUSIC_VOL]", threeDigits(values.musicPercent));
    replaceAll(filled, "[SPEECH_VOL]", threeDigits(values.speechPercent));
    replaceAll(filled, "[RESOLUTION]", threeDigits(values.windowWidth) + "x" + threeDigits(values.windowHeight));
    replaceAll(filled, "[FULLSCREEN]", values.fullscreen ? "X" : " ");
    return filled;
}

}  // namespace Zelmo
