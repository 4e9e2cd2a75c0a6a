#pragma once

// The three vertex records every drawing routine hands to the renderer, each with its layout as
// a constant: plain data, usable before any renderer exists.

#include <cstdint>

#include "engine/gfx/VertexLayout.h"

struct PosTexCoordVertex {
    float x, y, z;
    float u, v;

    static constexpr gfx::VertexLayout layout = gfx::VertexLayout()
                                                    .add(gfx::Attrib::Position, 3, gfx::AttribType::Float)
                                                    .add(gfx::Attrib::TexCoord0, 2, gfx::AttribType::Float);
};

struct PosColorVertex {
    float x, y, z;
    uint32_t abgr;  // red in the lowest byte, so memory reads R, G, B, A

    static constexpr gfx::VertexLayout layout = gfx::VertexLayout()
                                                    .add(gfx::Attrib::Position, 3, gfx::AttribType::Float)
                                                    .add(gfx::Attrib::Color0, 4, gfx::AttribType::Uint8, true);
};

struct PosTexCoordColorVertex {
    float x, y, z;
    float u, v;
    uint32_t abgr;

    static constexpr gfx::VertexLayout layout = gfx::VertexLayout()
                                                    .add(gfx::Attrib::Position, 3, gfx::AttribType::Float)
                                                    .add(gfx::Attrib::TexCoord0, 2, gfx::AttribType::Float)
                                                    .add(gfx::Attrib::Color0, 4, gfx::AttribType::Uint8, true);
};

static_assert(sizeof(PosColorVertex) == PosColorVertex::layout.stride(), "PosColorVertex packs without gaps");
static_assert(sizeof(PosTexCoordVertex) == PosTexCoordVertex::layout.stride(), "PosTexCoordVertex packs without gaps");
static_assert(sizeof(PosTexCoordColorVertex) == PosTexCoordColorVertex::layout.stride(),
              "PosTexCoordColorVertex packs without gaps");
