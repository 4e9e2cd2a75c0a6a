#pragma once

// The 2D overlay: paths, fills, strokes and TrueType text drawn over the picture on one
// renderer view.
//
// Usage, once per frame:
//   ctx.beginFrame(windowWidth, windowHeight, pixelRatio);
//   ctx.beginPath(); ctx.roundedRect(10, 10, 100, 30, 4); ctx.fillColor(vg::rgba(0, 0, 255, 255)); ctx.fill();
//   ctx.fontFace("DEFAULT"); ctx.fontSize(18); ctx.text(20, 30, "Hello");
//   ctx.endFrame();   // hands the frame's geometry to the renderer; gfx::frame() draws it
//
// Coordinates are window units from the top-left corner, y growing downward; a unit is
// pixelRatio pixels. Colours are packed ABGR (red in the lowest byte).
//
// The context needs a running renderer (gfx::init) for its whole life. Create fonts between
// frames: creating one re-bakes the glyph atlas, which moves glyphs the current frame already
// placed.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/gfx/Handles.h"
#include "engine/util/Colour.h"
#include "engine/util/NonCopyable.h"

namespace vg {

constexpr uint32_t rgba(uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
    return Util::Colour{r, g, b, a}.abgr();
}

enum class LineCap : uint8_t { Butt, Round, Square };

// Text alignment: one horizontal and one vertical flag, or-ed together.
namespace Align {
constexpr int Left = 1 << 0;  // x is the left edge of the text
constexpr int Center = 1 << 1;
constexpr int Right = 1 << 2;
constexpr int Top = 1 << 3;  // y is the top of the line
constexpr int Middle = 1 << 4;
constexpr int Bottom = 1 << 5;
constexpr int Baseline = 1 << 6;
}  // namespace Align

constexpr int kInvalidFont = -1;

struct Bounds {
    float minX = 0, minY = 0, maxX = 0, maxY = 0;

    float width() const { return maxX - minX; }
    float height() const { return maxY - minY; }
};

// One row of a text broken for a width: bytes [start, end) are drawn; the next row begins at
// `next` (blanks where the text was broken belong to no row). width is the advance of the row,
// minX and maxX the horizontal extent of its glyphs, all relative to the row's left edge.
struct TextRow {
    size_t start = 0;
    size_t end = 0;
    size_t next = 0;
    float width = 0;
    float minX = 0;
    float maxX = 0;
};

class Context : Util::NonCopyable {
public:
    explicit Context(gfx::ViewId view);
    ~Context();

    // Starts collecting a frame for a window of width × height units; pixelRatio pixels per unit.
    // Resets the state and its save stack.
    void beginFrame(float width, float height, float pixelRatio);
    // Submits the frame on the view. False, with nothing submitted, when the renderer's transient
    // buffers cannot hold the frame's geometry.
    bool endFrame();

    // --- State: colours, stroke, font and alignment. restore() with nothing saved does nothing. ---
    void save();
    void restore();
    void reset();

    // --- Paths: a path is a list of sub-paths that fill() and stroke() draw, kept until the next
    // beginPath(). Negative widths and heights describe the same rectangle as their magnitudes.
    void beginPath();
    void moveTo(float x, float y);
    void lineTo(float x, float y);  // without an open sub-path, starts one at (x, y)
    void closePath();
    void rect(float x, float y, float w, float h);
    void roundedRect(float x, float y, float w, float h, float radius);
    // Radii of the corners as seen on screen; each is limited to half the shorter side.
    void roundedRectVarying(float x, float y, float w, float h, float topLeft, float topRight, float bottomRight,
                            float bottomLeft);
    void circle(float cx, float cy, float radius);

    // Fills every sub-path of three or more points; overlapping sub-paths fill their union,
    // concave and self-crossing ones by the non-zero rule.
    void fillColor(uint32_t abgr);
    void fill();

    // Strokes every sub-path of two or more points; open ones get the line cap at both ends.
    void strokeColor(uint32_t abgr);
    void strokeWidth(float width);
    void lineCap(LineCap cap);
    void stroke();

    // --- Text ---
    // Loads a TrueType file under a name. kInvalidFont when the file cannot be read or is no
    // font; a name already taken returns its font without loading the file again. The first
    // font created (id 0) is the face of a fresh state.
    int createFont(const std::string& name, const std::string& path);
    int findFont(const std::string& name) const;
    // An unknown name selects no font: text then draws nothing and measures empty.
    void fontFace(const std::string& name);
    void fontFaceId(int font);
    void fontSize(float size);
    void textLetterSpacing(float spacing);  // added between neighbouring glyphs
    void textAlign(int align);
    // Height of a text line at the current size; the line box runs from its top to top + this.
    float lineHeight() const;

    // One line at (x, y) by the alignment, filled with the fill colour; line feeds and other
    // control characters take no room. Returns the x where the text ends.
    float text(float x, float y, std::string_view text);
    // The advance width of the line; bounds gets the horizontal extent of its glyphs and the
    // vertical extent of its line box.
    float textBounds(float x, float y, std::string_view text, Bounds* bounds);
    // Rows broken for breakRowWidth (at blanks where possible, inside a word that alone is wider,
    // and at every line feed), drawn from y downward one line height apart. The horizontal
    // alignment places each row inside [x, x + breakRowWidth]; the vertical one places each row's
    // line box around its y.
    void textBox(float x, float y, float breakRowWidth, std::string_view text);
    Bounds textBoxBounds(float x, float y, float breakRowWidth, std::string_view text);
    // At most maxRows of the rows textBox would draw.
    std::vector<TextRow> textBreakLines(std::string_view text, float breakRowWidth, int maxRows);

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

}  // namespace vg
