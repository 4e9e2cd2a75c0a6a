// The first level's picture on OpenGL at the window sizes players use, held against references
// taken before the glow display was made faster: whatever passes draw it, the picture must stay
// alike (tests/engine/gfx/ReferencePicture.h). The level runs a few updates from its start, then
// the picture of the last one is drawn again and again, so that the trail of earlier frames is
// that of a still picture and nothing depends on how time is stepped.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/world/GameViewRenderer.h"
#include "tests/engine/gfx/GlContext.h"
#include "tests/engine/gfx/ReadBackTarget.h"
#include "tests/engine/gfx/ReferencePicture.h"
#include "tests/game/world/WorldHarness.h"

namespace {

using WorldTest::WorldHarness;
using Zelmo::GameViewRenderer;

constexpr int kReferenceLevel = 0;
// Enough for the robots and the player to be placed and drawn at least once.
constexpr int kReferenceUpdates = 4;
// More than the trail remembers, at any setting.
constexpr int kReferenceStillFrames = 12;

struct ReferenceWindow {
    int width;
    int height;
};

class FirstLevelReference : public GlTest, public ::testing::WithParamInterface<ReferenceWindow> {
protected:
    void TearDown() override {
        harness.reset();
        gfx::setWindowTarget(gfx::FrameBufferHandle());
        gfx::destroy(target);
        GlTest::TearDown();
    }

    std::vector<uint8_t> firstLevelPicture(int width, int height) {
        target =
            gfx::createFrameBuffer(uint16_t(width), uint16_t(height), gfx::TextureFormat::RGBA8, gfx::Sampler::Point);
        gfx::setWindowTarget(target);
        harness = std::make_unique<WorldHarness>("data/config", 1, WorldHarness::Picture::Drawn);
        harness->startLevel(kReferenceLevel);
        auto& renderer = static_cast<GameViewRenderer&>(harness->logic().viewRenderer());
        const Util::FrameGeometry frame{width, height, 640, 480, width, height};
        // The first frame takes the window's size, which the updates then place things for.
        renderer.render(frame);
        gfx::frame();
        harness->step(kReferenceUpdates);
        const Zelmo::GameView::QueuedDraws still = harness->logic().view().queuedDraws();
        for (int i = 0; i < kReferenceStillFrames; ++i) {
            harness->logic().view().requeue(still);
            renderer.render(frame);
            gfx::frame();
        }
        return readBack(target, width, height);
    }

    std::unique_ptr<WorldHarness> harness;
    gfx::FrameBufferHandle target;
};

TEST_P(FirstLevelReference, LooksAsItDidBeforeTheDisplayChanged) {
    const ReferenceWindow size = GetParam();
    const std::vector<uint8_t> picture = firstLevelPicture(size.width, size.height);
    expectLikeReference("tests/game/world/data/pictures/first-level-" + std::to_string(size.width) + "x" +
                            std::to_string(size.height) + ".png",
                        picture, size.width, size.height);
}

INSTANTIATE_TEST_SUITE_P(ReferenceWindows, FirstLevelReference,
                         ::testing::Values(ReferenceWindow{960, 720}, ReferenceWindow{1920, 1080}),
                         [](const ::testing::TestParamInfo<ReferenceWindow>& info) {
                             return std::to_string(info.param.width) + "x" + std::to_string(info.param.height);
                         });

}  // namespace
