#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "engine/gfx/Gfx.h"
#include "engine/gfx/Recording.h"

// The renderer on its recording back end, with a transient budget tests can choose.
class RecordingTest : public ::testing::Test {
protected:
    void SetUp() override { start(6u << 20, 1u << 16); }
    void TearDown() override { gfx::shutdown(); }

    void start(uint32_t vertexBytes, uint32_t indexCount) {
        gfx::shutdown();
        gfx::Init init;
        init.backend = gfx::Backend::Recording;
        init.transientVertexBytes = vertexBytes;
        init.transientIndexCount = indexCount;
        ASSERT_TRUE(gfx::init(init));
    }

    const gfx::Recording& recording() const { return *gfx::recording(); }

    // The draws of a view in the last frame, in submission order; none when the view did not run.
    std::vector<const gfx::Draw*> drawsOf(gfx::ViewId view) const {
        std::vector<const gfx::Draw*> draws;
        if (const gfx::ViewPass* pass = recording().pass(view)) {
            for (uint32_t i = 0; i < pass->numDraws; ++i) {
                draws.push_back(&recording().draw(*pass, i));
            }
        }
        return draws;
    }

    // The vertices that a view's draws index, draw after draw, as the GPU would assemble them.
    template <typename Vertex>
    std::vector<Vertex> indexedVertices(gfx::ViewId view) const {
        std::vector<Vertex> result;
        for (const gfx::Draw* draw : drawsOf(view)) {
            std::vector<Vertex> vertices = recording().vertices<Vertex>(*draw);
            for (uint16_t index : recording().indices(*draw)) {
                result.push_back(vertices.at(index));
            }
        }
        return result;
    }
};
