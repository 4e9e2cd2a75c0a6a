#pragma once

// An off-screen picture for OpenGL tests: drawn into, then read back texel by texel.

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "engine/gfx/Gfx.h"

// An RGBA target of that size, point sampled, which clearView clears to opaque black before
// anything else draws into it.
inline gfx::FrameBufferHandle makeReadBackTarget(gfx::ViewId clearView, int width, int height,
                                                 uint16_t clearFlags = gfx::Clear::Colour) {
    const gfx::FrameBufferHandle target =
        gfx::createFrameBuffer(uint16_t(width), uint16_t(height), gfx::TextureFormat::RGBA8, gfx::Sampler::Point);
    gfx::setViewFrameBuffer(clearView, target);
    gfx::setViewClear(clearView, clearFlags, 0x000000ff);
    return target;
}

// The target's RGBA texels, the bottom row first, as bytes or as packed 32-bit texels.
template <typename Texel = uint8_t>
std::vector<Texel> readBack(gfx::FrameBufferHandle target, int width, int height) {
    std::vector<Texel> texels(size_t(width) * size_t(height) * 4 / sizeof(Texel));
    EXPECT_TRUE(gfx::readTexture(gfx::getTexture(target), texels.data()));
    return texels;
}
