#pragma once

namespace Game {

struct Size {
    int width = 0;
    int height = 0;
    bool operator==(const Size& other) const { return width == other.width && height == other.height; }
};

// The largest size of the design's aspect that fits the window; within 1 % of the design's
// aspect the window itself.
Size fitViewport(Size design, Size window);

// Whether a pass that took dtMs may skip drawing: only with a rate, fewer than skipLimit frames
// skipped in a row, and a pass slower than one frame.
bool shouldSkipFrame(float msPerFrame, int skipped, int skipLimit, float dtMs);

}  // namespace Game
