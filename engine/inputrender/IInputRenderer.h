#pragma once
#include "engine/input/InputController.h"
#include "engine/inputrender/StringConvertor.h"

namespace vg {
class Context;
}  // namespace vg

namespace Game {

// Draws the screen areas of an input controller over the frame's picture.
class IInputRenderer {
public:
    virtual ~IInputRenderer() = default;
    // Sizes in window units. The string convertor (may be null) fills the labels' placeholders;
    // the overlay context is between its beginFrame and endFrame. The pointer position and the
    // view size are there for renderers that follow the pointer or keep to the fitted view.
    virtual void render(const Input::InputController& controller, IStringConvertor* labels, vg::Context& overlay,
                        float pointerX, float pointerY, float windowWidth, float windowHeight, float designWidth,
                        float designHeight, float viewWidth, float viewHeight) = 0;
};

}  // namespace Game
