#pragma once
#include "engine/input/IScreenAreaRenderer.h"
#include "engine/inputrender/IInputRenderer.h"

namespace Game {

// The default drawing of the input areas on the 2D overlay: a rounded box in the area's colour,
// the countdown as a box growing down from its top edge, and the label in a TrueType font,
// inside its box. A render call writes the labels after every box and countdown; renderArea
// alone draws one area whole. The overlay must have the fonts the styles name ("DEFAULT"
// unless they say otherwise).
class InputRenderer : public IInputRenderer, public Input::IScreenAreaRenderer {
public:
    void render(const Input::InputController& controller, IStringConvertor* labels, vg::Context& overlay,
                const Util::FrameGeometry& frame) override;
    void renderArea(const ScreenAreaRenderInfo& info) override;

private:
    void drawLabel(const std::string& label, const std::string& style, float x, float y, float w, float h);

    // What renderArea draws: a render call passes over the areas twice, boxes then labels.
    enum class Layer { All, Boxes, Labels };

    // Set by each render call for the areas it draws.
    vg::Context* m_overlay = nullptr;
    IStringConvertor* m_labels = nullptr;
    float m_windowWidth = 0;
    float m_windowHeight = 0;
    float m_fontSize = 0;
    Layer m_layer = Layer::All;
};

}  // namespace Game
