#pragma once

#include <cstdint>

namespace gfx {

enum class Primitive : uint8_t { Triangles, TriangleStrip, Lines };

enum class BlendFactor : uint8_t {
    Zero,
    One,
    SrcColour,
    InvSrcColour,
    SrcAlpha,
    InvSrcAlpha,
    DstColour,
    InvDstColour,
    DstAlpha,
    InvDstAlpha,
};

enum class BlendEquation : uint8_t { Add, Max };

// Per-draw pipeline state. The default writes RGB and alpha, draws triangles and does not blend;
// there is never a depth test or face culling. Variations are built from it:
//   gfx::DrawState().with(gfx::Primitive::TriangleStrip).blend(gfx::BlendFactor::One, gfx::BlendFactor::InvSrcAlpha)
struct DrawState {
    bool writeRgb = true;
    bool writeAlpha = true;
    Primitive primitive = Primitive::Triangles;
    bool blending = false;
    BlendFactor srcRgb = BlendFactor::One;
    BlendFactor dstRgb = BlendFactor::Zero;
    BlendFactor srcAlpha = BlendFactor::One;
    BlendFactor dstAlpha = BlendFactor::Zero;
    BlendEquation equationRgb = BlendEquation::Add;
    BlendEquation equationAlpha = BlendEquation::Add;

    constexpr DrawState with(Primitive p) const {
        DrawState s = *this;
        s.primitive = p;
        return s;
    }

    constexpr DrawState writeMask(bool rgb, bool alpha) const {
        DrawState s = *this;
        s.writeRgb = rgb;
        s.writeAlpha = alpha;
        return s;
    }

    // The same factors for colour and alpha.
    constexpr DrawState blend(BlendFactor src, BlendFactor dst) const { return blend(src, dst, src, dst); }

    constexpr DrawState blend(BlendFactor srcColour, BlendFactor dstColour, BlendFactor srcA, BlendFactor dstA) const {
        DrawState s = *this;
        s.blending = true;
        s.srcRgb = srcColour;
        s.dstRgb = dstColour;
        s.srcAlpha = srcA;
        s.dstAlpha = dstA;
        return s;
    }

    constexpr DrawState equations(BlendEquation rgb, BlendEquation alpha) const {
        DrawState s = *this;
        s.equationRgb = rgb;
        s.equationAlpha = alpha;
        return s;
    }

    friend constexpr bool operator==(const DrawState& a, const DrawState& b) {
        return a.writeRgb == b.writeRgb && a.writeAlpha == b.writeAlpha && a.primitive == b.primitive &&
               a.blending == b.blending && a.srcRgb == b.srcRgb && a.dstRgb == b.dstRgb && a.srcAlpha == b.srcAlpha &&
               a.dstAlpha == b.dstAlpha && a.equationRgb == b.equationRgb && a.equationAlpha == b.equationAlpha;
    }
    friend constexpr bool operator!=(const DrawState& a, const DrawState& b) { return !(a == b); }
};

}  // namespace gfx
