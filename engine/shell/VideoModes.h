#pragma once
#include <utility>
#include <vector>

namespace Game {

using VideoMode = std::pair<int, int>;  // width, height

// Whether a requested window size must give way to the desktop's own mode: a 0 x 0 request,
// or, in a window, a size beyond every mode; in full screen any size that is not a mode.
bool needsDesktopMode(int width, int height, const std::vector<VideoMode>& modes, bool fullscreen);

// Duplicates removed, sorted by width and then height.
std::vector<VideoMode> distinctModes(std::vector<VideoMode> modes);

}  // namespace Game
