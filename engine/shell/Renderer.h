#pragma once
#include "engine/util/FrameGeometry.h"

namespace Game {

// What a state installs on the application context to draw its picture each frame.
class IRenderer {
public:
    virtual ~IRenderer() = default;
    virtual void render(const Util::FrameGeometry& frame) = 0;
};

}  // namespace Game
