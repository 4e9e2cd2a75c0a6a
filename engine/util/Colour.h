#pragma once
#include <cstdint>

namespace Util {

// A colour by its four channels. Data and configuration write a colour 0xRRGGBBAA; vertices, the
// vector display and the overlay take it packed ABGR (alpha in the top byte, red in the lowest).
struct Colour {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    uint8_t alpha = 0;

    static constexpr Colour fromRgba(uint32_t rrggbbaa) {
        return {uint8_t(rrggbbaa >> 24), uint8_t(rrggbbaa >> 16), uint8_t(rrggbbaa >> 8), uint8_t(rrggbbaa)};
    }
    constexpr bool isZero() const { return red == 0 && green == 0 && blue == 0 && alpha == 0; }
    constexpr uint32_t abgr() const {
        return uint32_t(alpha) << 24 | uint32_t(blue) << 16 | uint32_t(green) << 8 | red;
    }
};

// The written form to the packed one. The bytes only change places, end for end, so the same
// conversion also turns a packed colour back into the written form.
constexpr uint32_t rgbaToAbgr(uint32_t rrggbbaa) { return Colour::fromRgba(rrggbbaa).abgr(); }

// Moves a packed 4-byte colour towards a target byte by byte, truncating toward zero so that
// the result never overshoots the target for f in [0, 1].
void lerpColour(uint32_t& colour, uint32_t target, float f);

}  // namespace Util
