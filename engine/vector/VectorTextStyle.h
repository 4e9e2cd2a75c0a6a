#pragma once

#include <cstdint>

namespace Vector {

// How a text is written with the vector font.
struct VectorTextStyle {
    // Where the glyph origins of the first line lie, in display units, y upward; further lines
    // go toward smaller y.
    int x = 0;
    int y = 0;
    int glyph = 0;                 // scratch: the shape id of the glyph being drawn
    uint32_t colour = 0xffffffff;  // packed ABGR
    float scale = 1.0f;
    float thickness = 6.0f;  // the display's line thickness while writing
    bool filled = false;     // the glyphs' filled polygons under their lines
};

// A text's extent in display units: x, y the left and bottom edges.
struct TextRect {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;

    friend bool operator==(const TextRect& a, const TextRect& b) {
        return a.x == b.x && a.y == b.y && a.w == b.w && a.h == b.h;
    }
};

}  // namespace Vector
