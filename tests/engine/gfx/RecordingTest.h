#pragma once

#include <gtest/gtest.h>

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
};
