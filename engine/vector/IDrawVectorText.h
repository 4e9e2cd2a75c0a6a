#pragma once

// Measuring and writing text with the vector font. Screens, the vector input-area
// renderer and the animated drawings write through this interface.

#include <string>

#include "engine/gfx/Handles.h"
#include "engine/vector/ScopeSweep.h"
#include "engine/vector/VectorTextStyle.h"

class VectorDisplay;

namespace Vector {

class IDrawVectorText {
public:
    virtual ~IDrawVectorText() = default;

    // The distance from one line of text to the next at a style scale.
    virtual int lineHeight(float scale) = 0;

    // The extent the text would take, drawing nothing.
    virtual TextRect& measure(TextRect& out, const VectorTextStyle& style, const std::string& text) = 0;

    // Writes the text on the display (null: only measures) and gives its extent. With a sweep,
    // each glyph shows only up to the sweep line. Filled styles draw the glyphs' fills with
    // fillProgram on the display's first view, under the lines.
    virtual TextRect& draw(TextRect& out, VectorDisplay* display, const VectorTextStyle& style, const std::string& text,
                           const ScopeSweep* sweep, gfx::ProgramHandle fillProgram) = 0;
};

}  // namespace Vector
