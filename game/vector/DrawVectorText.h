#pragma once

// Text in the game's vector font: each character is the glyph shape of the shape library, laid
// out left to right with the first glyph of a line centred on the start x, lines going down.
// Characters without a glyph move the pen by a glyph's width; a line feed starts a new line.

#include "engine/vector/GameVectors.h"
#include "engine/vector/IDrawVectorText.h"

namespace Zelmo {

class DrawVectorText : public Vector::IDrawVectorText {
public:
    explicit DrawVectorText(float scaleX = 1.0f, float scaleY = 1.0f, float size = 512.0f,
                            const GameVectors& shapes = GameVectors::instance());

    // Screens call this when the window size changes: scaleX and scaleY are the window's size
    // over the design size.
    void init(float size, float scaleX, float scaleY);

    int lineHeight(float scale) override;
    Vector::TextRect& measure(Vector::TextRect& out, const Vector::VectorTextStyle& style,
                              const std::string& text) override;
    Vector::TextRect& draw(Vector::TextRect& out, VectorDisplay* display, const Vector::VectorTextStyle& style,
                           const std::string& text, const ScopeSweep* sweep, gfx::ProgramHandle fillProgram) override;

private:
    void drawGlyph(VectorDisplay& display, const Vector::VectorTextStyle& style, int x, int y, float scale,
                   gfx::ProgramHandle fillProgram) const;

    const GameVectors& m_shapes;
    float m_scaleX;
    float m_scaleY;
    float m_size;
};

}  // namespace Zelmo
