#include "engine/shell/Viewport.h"

#include <algorithm>
#include <cmath>

namespace Game {

Size fitViewport(Size design, Size window) {
    const float l_designAspect = float(design.width) / float(design.height);
    const float l_windowAspect = float(window.width) / float(window.height);
    const float l_tolerance =
        float(double(0.01f) * double(std::max({1.0f, std::fabs(l_designAspect), std::fabs(l_windowAspect)})));
    if (std::fabs(l_designAspect - l_windowAspect) <= l_tolerance) return window;
    if (l_windowAspect > l_designAspect) return {int(float(window.height) * l_designAspect), window.height};
    return {window.width, int(float(window.width) / l_designAspect)};
}

bool shouldSkipFrame(float msPerFrame, int skipped, int skipLimit, float dtMs) {
    return msPerFrame != 0.0f && skipped < skipLimit && dtMs > msPerFrame;
}

}  // namespace Game
