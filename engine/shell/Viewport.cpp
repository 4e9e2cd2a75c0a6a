#include "engine/shell/Viewport.h"

#include <algorithm>
#include <cmath>

namespace Game {

Size fitViewport(Size design, Size window) {
    const float designAspect = float(design.width) / float(design.height);
    const float windowAspect = float(window.width) / float(window.height);
    const float tolerance =
        float(double(0.01f) * double(std::max({1.0f, std::fabs(designAspect), std::fabs(windowAspect)})));
    if (std::fabs(designAspect - windowAspect) <= tolerance) return window;
    if (windowAspect > designAspect) return {int(float(window.height) * designAspect), window.height};
    return {window.width, int(float(window.width) / designAspect)};
}

bool shouldSkipFrame(float msPerFrame, int skipped, int skipLimit, float dtMs) {
    return msPerFrame != 0.0f && skipped < skipLimit && dtMs > msPerFrame;
}

}  // namespace Game
