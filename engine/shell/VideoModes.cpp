#include "engine/shell/VideoModes.h"

#include <algorithm>

namespace Game {

bool needsDesktopMode(int width, int height, const std::vector<VideoMode>& modes, bool fullscreen) {
    if (width == 0 && height == 0) return true;
    if (std::find(modes.begin(), modes.end(), VideoMode{width, height}) != modes.end()) return false;
    if (fullscreen) return true;
    const bool widerThanAll =
        std::all_of(modes.begin(), modes.end(), [width](const VideoMode& m) { return width > m.first; });
    const bool tallerThanAll =
        std::all_of(modes.begin(), modes.end(), [height](const VideoMode& m) { return height > m.second; });
    return widerThanAll || tallerThanAll;
}

std::vector<VideoMode> distinctModes(std::vector<VideoMode> modes) {
    std::sort(modes.begin(), modes.end());
    modes.erase(std::unique(modes.begin(), modes.end()), modes.end());
    return modes;
}

}  // namespace Game
