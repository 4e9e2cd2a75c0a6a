#pragma once
#include "engine/input/ScreenAreaRenderInfo.h"

namespace Input {

// Draws one screen area; the controllers decide which areas are drawn, in which order and as
// selected or not.
class IScreenAreaRenderer {
public:
    virtual ~IScreenAreaRenderer() = default;
    virtual void renderArea(const ScreenAreaRenderInfo& info) = 0;
};

}  // namespace Input
