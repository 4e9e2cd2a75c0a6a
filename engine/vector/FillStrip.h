#pragma once

// Filling a convex outline as one triangle strip on a renderer view, for the shape library and
// the animated drawings; or gathering many outlines over a frame to fill them in one draw.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

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

// Convex outlines gathered over a frame and filled in one draw: each becomes a fan of triangles
// in one vertex and index list. The indices are 16 bits, so a batch that outgrows them is
// submitted as a few draws, in the order the outlines were added.
class FillBatch {
public:
    // Corners 0 .. count-1, each made by vertexAt(i); fewer than three fill nothing.
    template <typename VertexAt>
    void add(size_t count, VertexAt vertexAt) {
        if (count < 3 || count > UINT16_MAX) {
            return;
        }
        if (m_chunks.empty() || m_vertices.size() - m_chunks.back().firstVertex + count > UINT16_MAX) {
            m_chunks.push_back({uint32_t(m_vertices.size()), uint32_t(m_indices.size())});
        }
        const uint16_t first = uint16_t(m_vertices.size() - m_chunks.back().firstVertex);
        Bounds bounds;
        for (size_t i = 0; i < count; ++i) {
            const PosColorVertex vertex = vertexAt(i);
            bounds.x0 = i == 0 ? vertex.x : std::min(bounds.x0, vertex.x);
            bounds.y0 = i == 0 ? vertex.y : std::min(bounds.y0, vertex.y);
            bounds.x1 = i == 0 ? vertex.x : std::max(bounds.x1, vertex.x);
            bounds.y1 = i == 0 ? vertex.y : std::max(bounds.y1, vertex.y);
            m_vertices.push_back(vertex);
        }
        m_bounds.push_back(bounds);
        for (size_t i = 1; i + 1 < count; ++i) {
            m_indices.push_back(first);
            m_indices.push_back(uint16_t(first + i));
            m_indices.push_back(uint16_t(first + i + 1));
        }
    }

    // Each outline's extent, in the order they were added, as the vertices give it.
    struct Bounds {
        float x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    };
    const std::vector<Bounds>& bounds() const { return m_bounds; }

    bool empty() const { return m_vertices.empty(); }
    size_t vertexCount() const { return m_vertices.size(); }

    // Draws what was added as triangles with the state and empties the batch. Running out of
    // transient buffers stops the process.
    void submit(gfx::ViewId view, gfx::ProgramHandle program, const gfx::DrawState& state) {
        for (size_t c = 0; c < m_chunks.size(); ++c) {
            const Chunk& chunk = m_chunks[c];
            const bool last = c + 1 == m_chunks.size();
            const uint32_t vertices =
                uint32_t((last ? m_vertices.size() : m_chunks[c + 1].firstVertex) - chunk.firstVertex);
            const uint32_t indices =
                uint32_t((last ? m_indices.size() : m_chunks[c + 1].firstIndex) - chunk.firstIndex);
            gfx::TransientVertexBuffer vertexBuffer;
            gfx::TransientIndexBuffer indexBuffer;
            if (!gfx::allocTransientBuffers(&vertexBuffer, PosColorVertex::layout, vertices, &indexBuffer, indices)) {
                Util::fatal("EEK! Ran out of buffers");
            }
            std::copy_n(m_vertices.data() + chunk.firstVertex, vertices, vertexBuffer.vertices<PosColorVertex>());
            std::copy_n(m_indices.data() + chunk.firstIndex, indices, indexBuffer.data);
            gfx::setVertexBuffer(vertexBuffer);
            gfx::setIndexBuffer(indexBuffer);
            gfx::setState(state.with(gfx::Primitive::Triangles));
            gfx::submit(view, program);
        }
        m_vertices.clear();
        m_indices.clear();
        m_chunks.clear();
        m_bounds.clear();
    }

private:
    struct Chunk {
        uint32_t firstVertex;
        uint32_t firstIndex;
    };

    std::vector<PosColorVertex> m_vertices;
    std::vector<uint16_t> m_indices;  // from their chunk's first vertex
    std::vector<Chunk> m_chunks;
    std::vector<Bounds> m_bounds;
};
