// What endFrame hands the renderer: views, trail draws with their fades, glow passes and
// composites; and the checked settings.
#include <gmock/gmock.h>

#include <cmath>
#include <glm/vec4.hpp>
#include <limits>

#include "DisplayFixture.h"

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::FloatEq;
using ::testing::Pointwise;

namespace {

std::vector<int> executedViews(const gfx::Recording& recording) {
    std::vector<int> ids;
    for (const gfx::ViewPass& pass : recording.lastFrame().passes) {
        ids.push_back(pass.id);
    }
    return ids;
}

std::vector<int> range(int first, int last) {
    std::vector<int> ids;
    for (int v = first; v <= last; ++v) {
        ids.push_back(v);
    }
    return ids;
}

}  // namespace

class FrameTest : public RecordedDisplay {
protected:
    void SetUp() override {
        RecordedDisplay::SetUp();
        param = gfx::createUniform("u_paramVec", gfx::UniformType::Vec4);
    }
    void TearDown() override {
        gfx::destroy(param);
        RecordedDisplay::TearDown();
    }

    std::vector<float> paramOf(const gfx::Draw& draw) const {
        const float* values = recording().uniform(draw, param);
        return values == nullptr ? std::vector<float>() : std::vector<float>(values, values + 4);
    }

    const gfx::Draw& onlyDraw(int view) const {
        const gfx::ViewPass* pass = recording().pass(gfx::ViewId(view));
        EXPECT_NE(pass, nullptr) << "view " << view;
        EXPECT_EQ(pass->numDraws, 1u) << "view " << view;
        return recording().draw(*pass, 0);
    }

    gfx::UniformHandle param;
};

TEST_F(FrameTest, AnEmptyFrameReturnsTheFirstViewAndSubmitsNothing) {
    display->beginFrame();
    EXPECT_EQ(display->endFrame(true), FirstView);
    gfx::frame();
    EXPECT_TRUE(recording().lastFrame().passes.empty());
}

TEST_F(FrameTest, ViewsUsedForEachBrightness) {
    struct Case {
        float brightness;
        int returned;      // relative to the first view
        int lastBlurView;  // relative; 0 when no blur pass runs
    };
    for (Case c : {Case{1.0f, 11, 8}, Case{0.5f, 7, 4}, Case{0.2f, 3, 0}, Case{0.0f, 2, 0}, Case{-1.0f, 2, 0}}) {
        remakeDisplay(1, Width, Height, 0);
        display->setBrightness(c.brightness);
        EXPECT_EQ(lineFrame(), FirstView + c.returned) << c.brightness;
        gfx::frame();
        EXPECT_THAT(executedViews(recording()), ElementsAreArray(range(FirstView, FirstView + c.returned - 1)))
            << c.brightness;
        for (int v = FirstView + 1; v <= FirstView + c.lastBlurView; ++v) {
            EXPECT_EQ(gfx::getTexture(recording().pass(gfx::ViewId(v))->state.frameBuffer).valid(), true);
        }
    }
}

TEST_F(FrameTest, TheCompositeNeverMovesDownWhenTheBrightnessDrops) {
    EXPECT_EQ(lineFrame(), FirstView + 11);
    display->setBrightness(0.0f);
    EXPECT_EQ(lineFrame(), FirstView + 10);  // composite on first + 9, where the bright frame put it
    display->setBrightness(0.5f);
    EXPECT_EQ(lineFrame(), FirstView + 11);
}

TEST_F(FrameTest, MovingTheFirstViewStartsAFreshRange) {
    EXPECT_EQ(lineFrame(), FirstView + 11);
    display->setFirstView(40);
    display->setBrightness(0.0f);
    EXPECT_EQ(display->getFirstView(), 40);
    EXPECT_EQ(lineFrame(), 42);
    gfx::frame();
    // The new scene view clears the scene before drawing into it.
    EXPECT_EQ(recording().pass(40)->state.clearFlags, gfx::Clear::Colour | gfx::Clear::Depth);
}

TEST_F(FrameTest, TrailFadesFromTheNewestFrameBackwards) {
    for (int frame = 0; frame < 6; ++frame) {
        lineFrame(float(20 + frame));
        gfx::frame();
    }
    const std::vector<const gfx::Draw*> scene = drawsOf(FirstView);
    ASSERT_EQ(scene.size(), 5u);
    std::vector<float> alphas;
    for (const gfx::Draw* draw : scene) {
        alphas.push_back(paramOf(*draw).at(3));
    }
    EXPECT_THAT(alphas, Pointwise(FloatEq(), {0.02048f, 0.0256f, 0.032f, 0.04f, 1.0f}));
    // The newest frame is drawn last: its line is the one at y 25.
    std::vector<PosTexCoordColorVertex> newest =
        recording().vertices<PosTexCoordColorVertex>(*scene[4]);
    EXPECT_FLOAT_EQ(newest.at(0).y, Height - 28.0f);
}

TEST_F(FrameTest, TheTrailHoldsOnlyFramesThatWereDrawnAndEmptyFramesDoNotAgeIt) {
    ASSERT_TRUE(display->setDecayStart(0.5f));
    lineFrame();
    gfx::frame();
    EXPECT_EQ(recording().pass(FirstView)->numDraws, 1u);

    display->beginFrame();
    display->endFrame(true);
    gfx::frame();
    lineFrame();
    gfx::frame();
    const gfx::ViewPass* scene = recording().pass(FirstView);
    ASSERT_EQ(scene->numDraws, 2u);
    EXPECT_FLOAT_EQ(paramOf(recording().draw(*scene, 0)).at(3), 0.5f);
    EXPECT_FLOAT_EQ(paramOf(recording().draw(*scene, 1)).at(3), 1.0f);
}

TEST_F(FrameTest, TrailDrawsAddColourByAlphaAndKeepTheHighestAlpha) {
    lineFrame();
    gfx::frame();
    const gfx::Draw& trail = onlyDraw(FirstView);
    EXPECT_EQ(trail.state, gfx::DrawState()
                               .blend(gfx::BlendFactor::SrcAlpha, gfx::BlendFactor::DstAlpha)
                               .equations(gfx::BlendEquation::Add, gfx::BlendEquation::Max));
    EXPECT_EQ(trail.vertexSource, gfx::VertexSource::Dynamic);
    EXPECT_EQ(trail.numVertices, 18u);
    EXPECT_TRUE(trail.textures[0].texture.valid());
    gfx::TextureInfo lineTexture = gfx::textureInfo(trail.textures[0].texture);
    EXPECT_EQ(lineTexture.width, 64);
    EXPECT_EQ(lineTexture.height, 64);
}

TEST_F(FrameTest, GlowPassesBlurEachAxisAtAThirdOfTheSize) {
    lineFrame();
    gfx::frame();
    const float iter = 1.05f;
    for (int pass = 0; pass < 4; ++pass) {
        const int view = FirstView + 1 + 2 * pass;
        const gfx::ViewPass* across = recording().pass(gfx::ViewId(view));
        const gfx::ViewPass* down = recording().pass(gfx::ViewId(view + 1));
        ASSERT_NE(across, nullptr);
        ASSERT_NE(down, nullptr);
        EXPECT_EQ(across->state.rect, (gfx::Rect{0, 0, 106, 80}));
        EXPECT_EQ(gfx::textureInfo(gfx::getTexture(across->state.frameBuffer)).width, 106);
        EXPECT_THAT(paramOf(onlyDraw(view)), Pointwise(FloatEq(), {1.0f / 106, 0.0f, iter, 1.0f}));
        EXPECT_THAT(paramOf(onlyDraw(view + 1)), Pointwise(FloatEq(), {0.0f, 1.0f / 80, iter, 1.0f}));
        EXPECT_EQ(onlyDraw(view).state, gfx::DrawState());
        // The second axis reads what the first wrote; each pass after the first reads the last.
        EXPECT_EQ(onlyDraw(view + 1).textures[0].texture, gfx::getTexture(across->state.frameBuffer));
        if (pass > 0) {
            EXPECT_EQ(onlyDraw(view).textures[0].texture, gfx::getTexture(down->state.frameBuffer));
        }
    }
    EXPECT_EQ(onlyDraw(FirstView + 1).textures[0].texture,
              gfx::getTexture(recording().pass(FirstView)->state.frameBuffer));
}

TEST_F(FrameTest, CompositesAddSceneAndGlowToTheBackBuffer) {
    lineFrame();
    gfx::frame();
    const gfx::Draw& scene = onlyDraw(FirstView + 9);
    const gfx::Draw& glow = onlyDraw(FirstView + 10);
    const gfx::DrawState add = gfx::DrawState().blend(gfx::BlendFactor::One, gfx::BlendFactor::One);
    EXPECT_EQ(scene.state, add);
    EXPECT_EQ(glow.state, add);
    EXPECT_EQ(scene.program, glow.program);
    EXPECT_THAT(paramOf(scene), Pointwise(FloatEq(), {0.0f, 1.0f / 80, 1.0f, 1.0f}));
    EXPECT_THAT(paramOf(glow), Pointwise(FloatEq(), {0.0f, 1.0f / 80, 1.25f, 1.0f}));
    for (int view : {FirstView + 9, FirstView + 10}) {
        const gfx::ViewState& state = recording().pass(gfx::ViewId(view))->state;
        EXPECT_FALSE(state.frameBuffer.valid());
        EXPECT_EQ(state.rect, (gfx::Rect{0, 0, Width, Height}));
    }
    EXPECT_EQ(scene.textures[0].texture, gfx::getTexture(recording().pass(FirstView)->state.frameBuffer));
    EXPECT_EQ(glow.textures[0].texture, gfx::getTexture(recording().pass(FirstView + 2)->state.frameBuffer));
}

TEST_F(FrameTest, AnUpperLayerCompositesOverWithItsOwnProgram) {
    display->setBrightness(0.0f);
    lineFrame();
    gfx::frame();
    gfx::ProgramHandle bottomProgram = onlyDraw(FirstView + 1).program;

    display->beginFrame();
    display->drawBox(10, 10, 50, 50);
    EXPECT_EQ(display->endFrame(false), FirstView + 2);
    gfx::frame();
    const gfx::Draw& over = onlyDraw(FirstView + 1);
    EXPECT_EQ(over.state, gfx::DrawState().blend(gfx::BlendFactor::One, gfx::BlendFactor::InvSrcAlpha));
    EXPECT_NE(over.program, bottomProgram);
    EXPECT_THAT(paramOf(over), Pointwise(FloatEq(), {0.0f, 0.0f, 1.0f, 1.0f}));
}

TEST_F(FrameTest, FullViewTriangleCoversTheUnitSquareWithBottomUpTexels) {
    lineFrame();
    gfx::frame();
    std::vector<PosTexCoordColorVertex> blur = recording().vertices<PosTexCoordColorVertex>(onlyDraw(FirstView + 1));
    ASSERT_EQ(blur.size(), 3u);
    const float expected[3][4] = {{-1, 0, -1, 1}, {1, 0, 1, 1}, {1, 2, 1, -1}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_THAT((std::vector<float>{blur[i].x, blur[i].y, blur[i].u, blur[i].v}),
                    Pointwise(FloatEq(), expected[i]));
        EXPECT_EQ(blur[i].abgr, 0xffffffffu);
    }
}

TEST_F(FrameTest, SceneProjectionShowsTheDisplayWithYDownAndSupersampleWidensIt) {
    struct Case {
        uint16_t superSample;
        float left, top, right, bottom;  // the display region the picture shows
    };
    for (Case c : {Case{1, 0, 0, 320, 240}, Case{2, -160, -120, 480, 360}, Case{3, -320, -240, 640, 480}}) {
        remakeDisplay(c.superSample, Width, Height, 0);
        display->setBrightness(0.0f);
        lineFrame();
        gfx::frame();
        const gfx::ViewState& scene = recording().pass(FirstView)->state;
        glm::vec4 topLeft = scene.proj * glm::vec4(c.left, c.top, 0, 1);
        glm::vec4 bottomRight = scene.proj * glm::vec4(c.right, c.bottom, 0, 1);
        EXPECT_FLOAT_EQ(topLeft.x, -1.0f);
        EXPECT_FLOAT_EQ(topLeft.y, 1.0f);
        EXPECT_FLOAT_EQ(bottomRight.x, 1.0f);
        EXPECT_FLOAT_EQ(bottomRight.y, -1.0f);
        EXPECT_EQ(scene.rect, (gfx::Rect{0, 0, Width, Height}));
        EXPECT_EQ(gfx::textureInfo(gfx::getTexture(scene.frameBuffer)).width, Width * c.superSample);
        // The composite shows the drawn corner of the scene: texture u 0 .. 1 / superSample.
        std::vector<PosTexCoordColorVertex> quad =
            recording().vertices<PosTexCoordColorVertex>(onlyDraw(FirstView + 1));
        EXPECT_FLOAT_EQ(quad.at(1).x, float(c.superSample));
        EXPECT_FLOAT_EQ(quad.at(1).u, 1.0f);
    }
}

TEST_F(FrameTest, GlowBuffersFollowTheSize) {
    struct Case {
        uint16_t superSample, width, height, glowWidth, glowHeight;
    };
    for (Case c : {Case{1, 320, 240, 106, 80}, Case{2, 320, 240, 213, 160}, Case{1, 5, 2, 1, 1}, Case{3, 2, 2, 2, 2}}) {
        remakeDisplay(c.superSample, c.width, c.height, 0);
        lineFrame();
        gfx::frame();
        gfx::TextureInfo glow = gfx::textureInfo(gfx::getTexture(recording().pass(FirstView + 1)->state.frameBuffer));
        EXPECT_EQ(glow.width, c.glowWidth) << c.width;
        EXPECT_EQ(glow.height, c.glowHeight) << c.height;
    }
}

TEST_F(FrameTest, ResizeRemakesTheFrameBuffersAtTheNewSize) {
    display->resize(640, 360);
    float w = 0;
    float h = 0;
    display->getSize(w, h);
    EXPECT_EQ(w, 640.0f);
    EXPECT_EQ(h, 360.0f);
    lineFrame();
    gfx::frame();
    EXPECT_EQ(gfx::textureInfo(gfx::getTexture(recording().pass(FirstView)->state.frameBuffer)).width, 640);
    EXPECT_EQ(gfx::textureInfo(gfx::getTexture(recording().pass(FirstView + 1)->state.frameBuffer)).height, 120);
    EXPECT_EQ(recording().pass(FirstView + 9)->state.rect, (gfx::Rect{0, 0, 640, 360}));
}

TEST_F(FrameTest, GlowBuffersStartBlack) {
    display->setBrightness(0.2f);  // composites glow buffer 1 without blurring into it
    lineFrame();
    gfx::frame();
    gfx::TextureHandle glow1 = onlyDraw(FirstView + 2).textures[0].texture;
    std::vector<uint8_t> texels(gfx::textureInfo(glow1).storageSize, 0xee);
    ASSERT_TRUE(gfx::readTexture(glow1, texels.data()));
    EXPECT_THAT(texels, ::testing::Each(0));
}

TEST_F(FrameTest, FramesLargerThanTheFirstBuffersAreKeptWhole) {
    display->beginFrame();
    for (int i = 0; i < 500; ++i) {
        display->beginDraw(float(i % 300), float(i / 300 * 10));
        display->drawTo(float(i % 300) + 5, float(i / 300 * 10) + 5);
        display->endDraw();
    }
    std::vector<PosTexCoordColorVertex> drawn = display->frameVertices();
    ASSERT_EQ(drawn.size(), 500u * 18);
    display->endFrame(true);
    gfx::frame();
    const gfx::Draw& trail = onlyDraw(FirstView);
    std::vector<PosTexCoordColorVertex> stored = recording().vertices<PosTexCoordColorVertex>(trail);
    ASSERT_EQ(stored.size(), drawn.size());
    EXPECT_EQ(std::memcmp(stored.data(), drawn.data(), drawn.size() * sizeof(PosTexCoordColorVertex)), 0);
}

TEST_F(FrameTest, CheckedSettersRefuseOutOfRangeValues) {
    EXPECT_FALSE(display->setDecaySteps(61));
    EXPECT_FALSE(display->setDecaySteps(-1));
    EXPECT_FALSE(display->setDecaySteps(0));
    EXPECT_TRUE(display->setDecaySteps(60));
    EXPECT_TRUE(display->setDecaySteps(1));
    EXPECT_FALSE(display->setDecayStart(1.0f));
    EXPECT_FALSE(display->setDecayStart(-0.01f));
    EXPECT_FALSE(display->setDecayStart(std::numeric_limits<float>::quiet_NaN()));
    EXPECT_TRUE(display->setDecayStart(0.0f));
    EXPECT_TRUE(display->setDecayStart(0.99f));
}

TEST_F(FrameTest, RefusedDecayStepsKeepTheTrail) {
    ASSERT_TRUE(display->setDecaySteps(2));
    ASSERT_TRUE(display->setDecayStart(0.5f));
    lineFrame();
    gfx::frame();
    EXPECT_FALSE(display->setDecaySteps(0));
    EXPECT_FALSE(display->setDecaySteps(100));
    lineFrame();
    gfx::frame();
    EXPECT_EQ(recording().pass(FirstView)->numDraws, 2u);
}

TEST_F(FrameTest, DecayStepsEmptyTheTrail) {
    lineFrame();
    gfx::frame();
    ASSERT_TRUE(display->setDecaySteps(3));
    lineFrame();
    gfx::frame();
    EXPECT_EQ(recording().pass(FirstView)->numDraws, 1u);
}

TEST_F(FrameTest, DestroyingTheDisplayStopsClearingItsFirstView) {
    lineFrame();
    gfx::frame();
    EXPECT_EQ(recording().pass(FirstView)->state.clearFlags, gfx::Clear::Colour | gfx::Clear::Depth);
    display.reset();
    gfx::frame();
    ASSERT_NE(recording().pass(FirstView), nullptr);
    EXPECT_EQ(recording().pass(FirstView)->state.clearFlags, gfx::Clear::None);
    EXPECT_EQ(recording().pass(FirstView)->numDraws, 0u);
}

TEST_F(FrameTest, ADisplayReplacedOnTheSameViewsKeepsClearingItsScene) {
    std::unique_ptr<VectorDisplay> successor = std::make_unique<VectorDisplay>(gfx::caps().originBottomLeft, 0.0f);
    successor->init(1, Width, Height, FirstView, 0);
    display.reset();  // the old display stops the clear of the shared first view
    display = std::move(successor);
    lineFrame();
    gfx::frame();
    EXPECT_EQ(recording().pass(FirstView)->state.clearFlags, gfx::Clear::Colour | gfx::Clear::Depth);
}
