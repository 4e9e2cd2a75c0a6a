#pragma once
#include "engine/input/InputController.h"
#include "engine/inputrender/StringConvertor.h"
#include "engine/util/FrameGeometry.h"

namespace vg {
class Context;
}  // namespace vg

namespace Game {

// Draws the screen areas of an input controller over the frame's picture.
class IInputRenderer {
public:
    virtual ~IInputRenderer() = default;
    // The string convertor (may be null) fills the labels' placeholders; the overlay context is
    // between its beginFrame and endFrame.
    virtual void render(const Input::InputController& controller, IStringConvertor* labels, vg::Context& overlay,
                        const Util::FrameGeometry& frame) = 0;
};

}  // namespace Game
