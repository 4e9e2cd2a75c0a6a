#pragma once
#include <string>

#include "engine/input/IScreenAreaRenderer.h"
#include "engine/inputrender/IInputRenderer.h"
#include "engine/inputrender/LabelAlignment.h"
#include "engine/vector/IDrawVectorText.h"

class VectorDisplay;

namespace Vector {

// Draws the input areas in glowing vector lines, as the menu screens do their pictures: a box
// outline in the area's colour (twice as thick when selected), the countdown as a second box
// growing down from the top edge, and the label in the vector font or, for the style font
// "SIMPLEX" or without a text writer, in the display's stroke font. The overlay is not used.
class VectorInputRenderer : public Game::IInputRenderer, public Input::IScreenAreaRenderer {
public:
    // Neither is owned; the writer may be null. Areas are drawn at the display's thickness as
    // it is now.
    VectorInputRenderer(VectorDisplay& display, IDrawVectorText* writer);

    // Draws a whole frame on the display, as its bottom layer.
    void render(const Input::InputController& controller, Game::IStringConvertor* labels, vg::Context& overlay,
                const Util::FrameGeometry& frame) override;
    void renderArea(const ScreenAreaRenderInfo& info) override;

private:
    struct Box {
        float x, y, w, h;  // window pixels from the top-left
    };

    void writeLabel(const std::string& label, const std::string& style, const Box& box);
    // size: for the writer in design pixels, which it fits to the window; for the strokes in
    // window pixels.
    void writeWithFont(const Input::AlignedLabel& label, float size, uint32_t colour, const Box& box);
    void writeWithStrokes(const Input::AlignedLabel& label, float size, uint32_t colour, const Box& box);

    VectorDisplay& m_display;
    IDrawVectorText* m_writer;
    const float m_thickness;
    // Set by each render call for the areas it draws.
    Game::IStringConvertor* m_labels = nullptr;
    float m_windowWidth = 0;
    float m_windowHeight = 0;
    float m_fontSize = 0;
};

}  // namespace Vector
