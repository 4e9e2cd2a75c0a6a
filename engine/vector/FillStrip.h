#pragma once

// Filling a convex outline as one triangle strip on a renderer view, for the shape library and
// the animated drawings.

#include <cstddef>
#include <cstdint>

#include "engine/gfx/Gfx.h"
#include "engine/gfx/VertexFormats.h"
#include "engine/util/Fatal.h"

// The number of corners of an outline of `count` floats (x, y pairs): a last point that repeats
// the first closes the outline and is not a corner of its own.
template <typename Floats>
size_t outlineCorners(const Floats& points, size_t count) {
    size_t corners = count / 2;
    if (corners >= 2 && points[0] == points[2 * (corners - 1)] && points[1] == points[2 * (corners - 1) + 1]) {
        --corners;
    }
    return corners;
}

// Submits corners 0 .. count-1, each made by vertexAt(i), as one strip that zig-zags from both
// ends toward the middle (0, 1, n-1, 2, n-2, ...), so that a convex outline is covered. Fewer
// than three corners fill nothing. Running out of transient buffers stops the process.
template <typename VertexAt>
void submitFillStrip(gfx::ViewId view, gfx::ProgramHandle program, const gfx::DrawState& state, size_t count,
                     VertexAt vertexAt) {
    if (count < 3) {
        return;
    }
    gfx::TransientVertexBuffer vertexBuffer;
    gfx::TransientIndexBuffer indexBuffer;
    if (count > UINT16_MAX || !gfx::allocTransientBuffers(&vertexBuffer, PosColorVertex::layout, uint32_t(count),
                                                          &indexBuffer, uint32_t(count))) {
        Util::fatal("EEK! Ran out of buffers");
    }
    PosColorVertex* vertex = vertexBuffer.vertices<PosColorVertex>();
    for (size_t i = 0; i < count; ++i) {
        vertex[i] = vertexAt(i);
    }
    uint16_t* index = indexBuffer.data;
    uint16_t front = 1;
    uint16_t back = uint16_t(count - 1);
    index[0] = 0;
    for (size_t k = 1; k < count; ++k) {
        index[k] = k % 2 == 1 ? front++ : back--;
    }
    gfx::setVertexBuffer(vertexBuffer);
    gfx::setIndexBuffer(indexBuffer);
    gfx::setState(state);
    gfx::submit(view, program);
}
