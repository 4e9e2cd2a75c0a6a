#pragma once

// The Hershey simplex Roman stroke font for the printable ASCII characters (32 to 126), as the
// vector display draws it. Coordinates are font units: x from the glyph's left edge, y upward
// from the baseline (capitals are 21 high).

#include <cstdint>

namespace Simplex {

constexpr int kFirstChar = 32;
constexpr int kGlyphCount = 95;
constexpr int kMaxVertices = 55;
constexpr int8_t kPenUp = -1;  // a vertex (-1, -1) lifts the pen

struct Glyph {
    uint8_t count;                     // vertices used, pen lifts included
    uint8_t advance;                   // width from this glyph's origin to the next one's
    int8_t vertices[kMaxVertices * 2];  // x, y pairs
};

extern const Glyph glyphs[kGlyphCount];

// Null for characters without a glyph (the line feed and anything outside 32 to 126).
inline const Glyph* glyph(char c) {
    int code = static_cast<unsigned char>(c);
    return code >= kFirstChar && code < kFirstChar + kGlyphCount ? &glyphs[code - kFirstChar] : nullptr;
}

}  // namespace Simplex
