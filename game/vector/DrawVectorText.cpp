#include "game/vector/DrawVectorText.h"

#include <algorithm>

#include "engine/vector/VectorDisplay.h"

namespace Zelmo {
namespace {

// The display's scene view keeps depths 0 to 1000; fills lie inside that range, under the lines
// because they are submitted before the display's frame ends.
constexpr float kFillDepth = 1.0f;
constexpr Util::Colour kOwnFillColours{};

}  // namespace

DrawVectorText::DrawVectorText(float scaleX, float scaleY, float size, const GameVectors& shapes)
    : m_shapes(shapes), m_scaleX(scaleX), m_scaleY(scaleY), m_size(size) {}

void DrawVectorText::init(float size, float scaleX, float scaleY) {
    m_size = size;
    m_scaleX = scaleX;
    m_scaleY = scaleY;
}

int DrawVectorText::lineHeight(float scale) {
    const GameVectors::FontMetrics& metrics = m_shapes.fontMetrics();
    return int(float(metrics.spacing + metrics.glyphSize) * m_scaleX * scale);
}

Vector::TextRect& DrawVectorText::measure(Vector::TextRect& out, const Vector::VectorTextStyle& style,
                                          const std::string& text) {
    return draw(out, nullptr, style, text, nullptr, gfx::ProgramHandle());
}

Vector::TextRect& DrawVectorText::draw(Vector::TextRect& out, VectorDisplay* display,
                                       const Vector::VectorTextStyle& style, const std::string& text,
                                       const ScopeSweep* sweep, gfx::ProgramHandle fillProgram) {
    const GameVectors::FontMetrics& metrics = m_shapes.fontMetrics();
    const float mx = m_scaleX * style.scale;
    const float my = m_scaleY * style.scale;
    const float advance = float(metrics.lineStep) * my;
    const double spacing = double(metrics.spacing) * mx;
    const int top = int(double(advance) * 0.5 + style.y);
    int x = style.x;
    int y = style.y;
    int leftmost = style.x;
    int rightmost = style.x;
    bool freshLine = true;
    const float entryThickness = display != nullptr ? display->getThickness() : 0.0f;
    if (display != nullptr) {
        display->setThickness(style.thickness);
    }
    for (char c : text) {
        const GameVectors::Glyph* glyph = m_shapes.glyph(c);
        if (glyph != nullptr) {
            const double half = double(glyph->w) * 0.5 * mx;
            if (freshLine) {
                leftmost = std::min(leftmost, x - int(half));
                freshLine = false;
            } else {
                x = int(x + half);
            }
            if (display != nullptr) {
                if (sweep != nullptr) {
                    m_shapes.drawShapeClipped(*sweep, *display, glyph->shape, float(x), float(y), 1.0f, mx,
                                              style.colour);
                } else {
                    Vector::VectorTextStyle glyphStyle = style;
                    glyphStyle.glyph = int(glyph->shape);
                    drawGlyph(*display, glyphStyle, x, y, mx, fillProgram);
                }
            }
            x = int(int(x + half) + spacing);
            rightmost = std::max(rightmost, x + int(half));
        } else if (c == '\n') {
            x = style.x;
            y = int(y - advance);
            freshLine = true;
        } else {
            x = int(x + float(metrics.spacing + metrics.glyphSize) * mx);
        }
    }
    if (!freshLine) {
        y = int(y - advance);
    }
    if (display != nullptr) {
        display->setThickness(entryThickness);
    }
    out.x = int(leftmost - spacing);
    out.w = int(rightmost - spacing) - leftmost;
    out.h = top - y;
    out.y = y;
    return out;
}

void DrawVectorText::drawGlyph(VectorDisplay& display, const Vector::VectorTextStyle& style, int x, int y, float scale,
                               gfx::ProgramHandle fillProgram) const {
    const uint32_t shape = uint32_t(style.glyph);
    if (style.filled) {
        m_shapes.drawShapeFilled(gfx::ViewId(display.getFirstView()), fillProgram, 0, shape, float(x), float(y),
                                 kFillDepth, kOwnFillColours, scale, 0.0f, &display);
    }
    m_shapes.drawShape(display, 0, shape, float(x), float(y), 1.0f, scale, style.colour, 0.0f);
}

}  // namespace Zelmo
