#pragma once

namespace Util {

// The sizes a frame is drawn at, in window pixels: the window, the design the screens are laid
// out in, and the view, the largest rectangle of the design's aspect that fits the window.
struct FrameGeometry {
    int windowWidth = 0;
    int windowHeight = 0;
    int designWidth = 0;
    int designHeight = 0;
    int viewWidth = 0;
    int viewHeight = 0;
};

}  // namespace Util
