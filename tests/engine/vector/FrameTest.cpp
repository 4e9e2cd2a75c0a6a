// What endFrame hands the renderer: the views of scene, trail, bloom and composite, the
// persistence's fade, the glow's taps; and the checked settings.
#include <gmock/gmock.h>

#include <cmath>
#include <cstring>
#include <glm/vec4.hpp>
#include <limits>
#include <numeric>

#include "DisplayFixture.h"

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::FloatEq;
using ::testing::FloatNear;
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

// The views of a bright frame with a trail, from the first.
constexpr int TrailView = 1;
constexpr int DownView = 2;
constexpr int AcrossView = 3;
constexpr int AlongView = 4;
constexpr int CompositeView = 5;

}  // namespace

class FrameTest : public RecordedDisplay {
protected:
    void SetUp() override {
        RecordedDisplay::SetUp();
        param = gfx::createUniform("u_paramVec", gfx::UniformType::Vec4);
        composite = gfx::createUniform("u_compositeVec", gfx::UniformType::Vec4);
        taps = gfx::createUniform("u_blurTaps", gfx::UniformType::Vec4, 2);
    }
    void TearDown() override {
        gfx::destroy(param);
        gfx::destroy(composite);
        gfx::destroy(taps);
        RecordedDisplay::TearDown();
    }

    std::vector<float> valuesOf(const gfx::Draw& draw, gfx::UniformHandle uniform, int count = 4) const {
        const float* values = recording().uniform(draw, uniform);
        return values == nullptr ? std::vector<float>() : std::vector<float>(values, values + count);
    }
    std::vector<float> paramOf(const gfx::Draw& draw) const { return valuesOf(draw, param); }

    const gfx::Draw& onlyDraw(int view) const {
        const gfx::ViewPass* pass = recording().pass(gfx::ViewId(view));
        EXPECT_NE(pass, nullptr) << "view " << view;
        EXPECT_EQ(pass->numDraws, 1u) << "view " << view;
        return recording().draw(*pass, 0);
    }

    gfx::TextureHandle targetOf(int view) const {
        return gfx::getTexture(recording().pass(gfx::ViewId(view))->state.frameBuffer);
    }

    gfx::UniformHandle param;
    gfx::UniformHandle composite;
    gfx::UniformHandle taps;
};

TEST_F(FrameTest, AnEmptyFrameReturnsTheFirstViewAndSubmitsNothing) {
    display->beginFrame();
    EXPECT_EQ(display->endFrame(true), FirstView);
    gfx::frame();
    EXPECT_TRUE(recording().lastFrame().passes.empty());
}

TEST_F(FrameTest, ViewsUsedForEachBrightnessAndTrail) {
    struct Case {
        float brightness;
        int decaySteps;
        int returned;  // relative to the first view: scene, [trail], [down, across, along], composite
    };
    for (Case c : {Case{1.0f, 5, 6}, Case{0.5f, 5, 6}, Case{0.2f, 5, 3}, Case{0.0f, 5, 3}, Case{-1.0f, 5, 3},
                   Case{1.0f, 1, 5}}) {
        SCOPED_TRACE(testing::Message() << "brightness " << c.brightness << ", decay steps " << c.decaySteps);
        remakeDisplay(1, Width, Height, 0);
        display->setBrightness(c.brightness);
        ASSERT_TRUE(display->setDecaySteps(c.decaySteps));
        EXPECT_EQ(lineFrame(), FirstView + c.returned);
        gfx::frame();
        EXPECT_THAT(executedViews(recording()), ElementsAreArray(range(FirstView, FirstView + c.returned - 1)));
        for (int v = FirstView; v < FirstView + c.returned - 1; ++v) {
            EXPECT_TRUE(targetOf(v).valid()) << "view " << v << " draws off the screen";
        }
        EXPECT_FALSE(recording().pass(gfx::ViewId(FirstView + c.returned - 1))->state.frameBuffer.valid())
            << "the composite draws on the window";
    }
}

// A bottom layer that neither glows nor keeps a trail needs no scene to read again.
TEST_F(FrameTest, LinesWithoutTrailOrGlowGoStraightOntoTheWindow) {
    display->setBrightness(0.0f);
    ASSERT_TRUE(display->setDecaySteps(1));
    EXPECT_EQ(lineFrame(), FirstView + 1);
    gfx::frame();
    EXPECT_THAT(executedViews(recording()), ElementsAre(FirstView));
    const gfx::ViewState& state = recording().pass(FirstView)->state;
    EXPECT_FALSE(state.frameBuffer.valid());
    EXPECT_EQ(state.clearFlags, gfx::Clear::None) << "added to what the views before drew";
    EXPECT_EQ(onlyDraw(FirstView).state, gfx::DrawState().blend(gfx::BlendFactor::SrcAlpha, gfx::BlendFactor::One,
                                                                gfx::BlendFactor::Zero, gfx::BlendFactor::One));
    // An upper layer still composites: its black must let the layers below show.
    display->beginFrame();
    display->drawBox(10, 10, 50, 50);
    EXPECT_EQ(display->endFrame(false), FirstView + 2);
}

TEST_F(FrameTest, TheCompositeNeverMovesDownWhenTheBrightnessDrops) {
    EXPECT_EQ(lineFrame(), FirstView + 6);
    display->setBrightness(0.0f);
    EXPECT_EQ(lineFrame(), FirstView + 6);  // composite on first + 5, where the bright frame put it
    display->setBrightness(0.5f);
    EXPECT_EQ(lineFrame(), FirstView + 6);
}

TEST_F(FrameTest, MovingTheFirstViewStartsAFreshRange) {
    EXPECT_EQ(lineFrame(), FirstView + 6);
    display->setFirstView(40);
    display->setBrightness(0.0f);
    EXPECT_EQ(display->getFirstView(), 40);
    EXPECT_EQ(lineFrame(), 43);
    gfx::frame();
    // The new scene view clears the scene before drawing into it.
    EXPECT_EQ(recording().pass(40)->state.clearFlags, gfx::Clear::Colour | gfx::Clear::Depth);
}

TEST_F(FrameTest, TheSceneDrawsTheFrameOnceAddingColourByAlphaAndLeavingAlphaAtZero) {
    for (int frame = 0; frame < 6; ++frame) {
        lineFrame(float(20 + frame));
        gfx::frame();
    }
    const gfx::Draw& scene = onlyDraw(FirstView);
    EXPECT_EQ(scene.state, gfx::DrawState().blend(gfx::BlendFactor::SrcAlpha, gfx::BlendFactor::One,
                                                  gfx::BlendFactor::Zero, gfx::BlendFactor::One));
    EXPECT_EQ(recording().pass(FirstView)->state.clearRgba, 0x00000000u) << "black, alpha 0";
    EXPECT_EQ(scene.vertexSource, gfx::VertexSource::Dynamic);
    ASSERT_EQ(scene.numVertices, SegmentVertices);
    // The newest frame only: its line is the one at y 25.
    std::vector<PosTexCoordColorVertex> newest = recording().vertices<PosTexCoordColorVertex>(scene);
    EXPECT_FLOAT_EQ(newest.at(0).y, Height - 28.0f);
    ASSERT_TRUE(scene.textures[0].texture.valid());
    gfx::TextureInfo lineTexture = gfx::textureInfo(scene.textures[0].texture);
    EXPECT_EQ(lineTexture.width, 64);
    EXPECT_EQ(lineTexture.height, 64);
}

// A still picture's trail weighs what the frames 1 to 4 old weighed at 0.04, 0.032, 0.0256 and
// 0.02048: 0.11808. The persistence takes each frame at 0.04 and fades by f so that 0.04 / (1 - f)
// makes that sum.
TEST_F(FrameTest, ThePersistenceWeighsAsMuchAsTheFramesItReplaces) {
    struct Case {
        int steps;
        float start;
        float weight;
        float fade;
    };
    for (Case c :
         {Case{5, 0.04f, 0.04f, 1.0f - 0.04f / 0.11808f}, Case{2, 0.5f, 0.5f, 0.0f},
          Case{8, 0.1f, 0.1f, 1.0f - 0.1f / 0.3951424f}, Case{1, 0.04f, 0.0f, 0.0f}, Case{5, 0.0f, 0.0f, 0.0f}}) {
        ASSERT_TRUE(display->setDecaySteps(c.steps));
        ASSERT_TRUE(display->setDecayStart(c.start));
        EXPECT_FLOAT_EQ(display->trailWeight(), c.weight) << c.steps << " steps from " << c.start;
        EXPECT_NEAR(display->trailFade(), c.fade, 1e-6f) << c.steps << " steps from " << c.start;
    }
}

TEST_F(FrameTest, TheTrailFadesTheLastTrailAddsTheSceneAndTakesTurnsWithItsTwoBuffers) {
    lineFrame();
    gfx::frame();
    const gfx::Draw& first = onlyDraw(FirstView + TrailView);
    EXPECT_THAT(paramOf(first), Pointwise(FloatNear(1e-6f), {1.0f - 0.04f / 0.11808f, 0.04f, 0.0f, 0.0f}));
    EXPECT_EQ(first.state, gfx::DrawState());
    EXPECT_EQ(first.textures[0].texture, targetOf(FirstView)) << "the scene";
    EXPECT_EQ(first.textures[0].flags, gfx::Sampler::UClamp | gfx::Sampler::VClamp) << "filtered, to half size";
    const gfx::TextureHandle lastTrail = first.textures[1].texture;
    const gfx::TextureHandle written = targetOf(FirstView + TrailView);
    EXPECT_NE(lastTrail, written);
    EXPECT_EQ(gfx::textureInfo(written).width, Width / 2);
    EXPECT_EQ(gfx::textureInfo(written).height, Height / 2);
    // The composite shows the trail of the frames before this one.
    EXPECT_EQ(onlyDraw(FirstView + CompositeView).textures[1].texture, lastTrail);

    lineFrame();
    gfx::frame();
    const gfx::Draw& second = onlyDraw(FirstView + TrailView);
    EXPECT_EQ(second.textures[1].texture, written) << "the next frame fades what this one wrote";
    EXPECT_EQ(targetOf(FirstView + TrailView), lastTrail);
    EXPECT_EQ(onlyDraw(FirstView + CompositeView).textures[1].texture, written);
}

TEST_F(FrameTest, AnEmptyFrameDoesNotAgeTheTrail) {
    lineFrame();
    gfx::frame();
    const gfx::TextureHandle written = targetOf(FirstView + TrailView);
    display->beginFrame();
    display->endFrame(true);
    gfx::frame();
    lineFrame();
    gfx::frame();
    EXPECT_EQ(onlyDraw(FirstView + TrailView).textures[1].texture, written);
}

TEST_F(FrameTest, TheGlowBoxesSceneAndTrailToAQuarterThenBlursAcrossAndDown) {
    lineFrame();
    gfx::frame();
    const gfx::Draw& down = onlyDraw(FirstView + DownView);
    EXPECT_EQ(gfx::textureInfo(targetOf(FirstView + DownView)).width, Width / 4);
    EXPECT_EQ(recording().pass(gfx::ViewId(FirstView + DownView))->state.rect, (gfx::Rect{0, 0, 80, 60}));
    EXPECT_EQ(down.textures[0].texture, targetOf(FirstView));
    EXPECT_EQ(down.textures[1].texture, onlyDraw(FirstView + TrailView).textures[1].texture) << "the trail before";
    EXPECT_THAT(paramOf(down), Pointwise(FloatEq(), {1.0f / Width, 1.0f / Height, 0.0f, 0.0f})) << "a scene pixel";

    const float lift = 1.05f * 1.1f;
    const gfx::Draw& across = onlyDraw(FirstView + AcrossView);
    const gfx::Draw& along = onlyDraw(FirstView + AlongView);
    EXPECT_THAT(paramOf(across), Pointwise(FloatEq(), {1.0f / 80, 0.0f, lift, 4.0f})) << "four rounds of lift";
    EXPECT_THAT(paramOf(along), Pointwise(FloatEq(), {0.0f, 1.0f / 60, lift, 4.0f}));
    EXPECT_EQ(across.textures[0].texture, targetOf(FirstView + DownView));
    EXPECT_EQ(along.textures[0].texture, targetOf(FirstView + AcrossView));
    EXPECT_EQ(targetOf(FirstView + AlongView), targetOf(FirstView + DownView)) << "back into the first glow buffer";
    for (const gfx::Draw* blur : {&across, &along}) {
        EXPECT_EQ(blur->state, gfx::DrawState());
        EXPECT_EQ(blur->textures[0].flags, gfx::Sampler::UClamp | gfx::Sampler::VClamp) << "filtered taps";
    }
    // Seven taps: the centre and three pairs either side, weighing 1 in all, each pair between
    // two texels (1-2, 3-4, 5-6), falling off outwards.
    const std::vector<float> t = valuesOf(across, taps, 8);
    ASSERT_EQ(t.size(), 8u);
    EXPECT_NEAR(t[0] + 2 * (t[1] + t[2] + t[3]), 1.0f, 1e-5f);
    EXPECT_GT(t[1], t[2]);
    EXPECT_GT(t[2], t[3]);
    EXPECT_GT(t[3], 0.0f);
    for (int pair = 1; pair <= 3; ++pair) {
        EXPECT_GT(t[4 + pair], float(2 * pair - 1)) << "pair " << pair;
        EXPECT_LT(t[4 + pair], float(2 * pair)) << "pair " << pair;
    }
}

// The replaced display's glow spread 10 display pixels (four rounds of a 9-tap Gaussian at a
// third of the size); the quarter-size blur keeps that spread, more with more brightness.
TEST_F(FrameTest, TheGlowSpreadsWithTheBrightnessAsItUsedTo) {
    auto deviation = [&](float brightness) {
        display->setBrightness(brightness);
        lineFrame();
        gfx::frame();
        const std::vector<float> t = valuesOf(onlyDraw(FirstView + AcrossView), taps, 8);
        // The taps' variance in quarter texels, as display pixels.
        float variance = 0.0f;
        for (int pair = 1; pair <= 3; ++pair) variance += 2.0f * t[pair] * t[4 + pair] * t[4 + pair];
        return 4.0f * std::sqrt(variance);
    };
    const float normal = deviation(1.0f);
    EXPECT_NEAR(normal, 10.0f, 1.0f);
    EXPECT_GT(deviation(1.5f), normal * 1.15f);
    EXPECT_LT(deviation(0.5f), normal * 0.8f);
}

TEST_F(FrameTest, OneCompositeAddsSceneTrailAndGlowToTheBackBuffer) {
    lineFrame();
    gfx::frame();
    const gfx::Draw& draw = onlyDraw(FirstView + CompositeView);
    EXPECT_EQ(draw.state, gfx::DrawState().blend(gfx::BlendFactor::One, gfx::BlendFactor::One));
    EXPECT_THAT(valuesOf(draw, composite), Pointwise(FloatEq(), {1.25f, 0.0f, 0.0f, 0.0f})) << "the glow's gain";
    const gfx::ViewState& state = recording().pass(gfx::ViewId(FirstView + CompositeView))->state;
    EXPECT_FALSE(state.frameBuffer.valid());
    EXPECT_EQ(state.rect, (gfx::Rect{0, 0, Width, Height}));
    EXPECT_EQ(draw.textures[VectorDisplay::kSceneStage].texture, targetOf(FirstView));
    EXPECT_EQ(draw.textures[VectorDisplay::kSceneStage].flags, gfx::Sampler::FromTexture) << "texel for texel";
    EXPECT_EQ(draw.textures[VectorDisplay::kTrailStage].texture, onlyDraw(FirstView + TrailView).textures[1].texture);
    EXPECT_EQ(draw.textures[VectorDisplay::kGlowStage].texture, targetOf(FirstView + AlongView));
}

TEST_F(FrameTest, AnUpperLayerCompositesOverWithItsOwnProgram) {
    display->setBrightness(0.0f);
    lineFrame();
    gfx::frame();
    gfx::ProgramHandle bottomProgram = onlyDraw(FirstView + 2).program;

    display->beginFrame();
    display->drawBox(10, 10, 50, 50);
    EXPECT_EQ(display->endFrame(false), FirstView + 3);
    gfx::frame();
    const gfx::Draw& over = onlyDraw(FirstView + 2);
    EXPECT_EQ(over.state, gfx::DrawState().blend(gfx::BlendFactor::One, gfx::BlendFactor::InvSrcAlpha));
    EXPECT_NE(over.program, bottomProgram);
    EXPECT_THAT(valuesOf(over, composite), Pointwise(FloatEq(), {0.0f, 0.0f, 0.0f, 0.0f})) << "no glow";
}

TEST_F(FrameTest, AnUnderlayDrawsInTheCompositeEveryFrameAnEmptyOneToo) {
    // The ground goes first on the composite's view, then the picture over it where it reaches.
    const gfx::ProgramHandle ground = gfx::createProgram("vs", "fs", "ground");
    ASSERT_TRUE(ground.valid());
    display->setBrightness(0.0f);
    int grounds = 0;
    int overViews = 0;
    auto submitGround = [&](gfx::ViewId view) {
        ++grounds;
        gfx::submit(view, ground);
    };
    display->setUnderlay({submitGround, [&](gfx::ViewId view) {
                              ++overViews;
                              EXPECT_EQ(view, FirstView + 2) << "after the trail";
                          }});
    display->beginFrame();
    EXPECT_EQ(display->endFrame(true), FirstView + 4) << "drawn although the frame holds no line";
    gfx::frame();
    EXPECT_EQ(grounds, 1);
    EXPECT_EQ(overViews, 1);
    EXPECT_EQ(recording().pass(FirstView)->numDraws, 0u) << "the scene is only cleared";
    const gfx::ViewState& over = recording().pass(FirstView + 2)->state;
    EXPECT_EQ(over.frameBuffer, recording().pass(FirstView)->state.frameBuffer) << "the view over the scene";
    EXPECT_EQ(over.clearFlags, gfx::Clear::None);
    EXPECT_EQ(onlyDraw(FirstView + 3).program, ground) << "no picture reaches the window";

    display->setUnderlay({});
    display->beginFrame();
    EXPECT_EQ(display->endFrame(true), FirstView) << "without it, an empty frame draws nothing again";

    remakeDisplay(1, Width, Height, 0);
    display->setBrightness(0.0f);
    display->setUnderlay({submitGround, nullptr});
    EXPECT_EQ(lineFrame(), FirstView + 3) << "scene, trail, composite: no view over the scene without fills for it";
    gfx::frame();
    const std::vector<const gfx::Draw*> composites = drawsOf(FirstView + 2);
    ASSERT_EQ(composites.size(), 2u);
    EXPECT_EQ(composites[0]->program, ground);
    const gfx::Draw& picture = *composites[1];
    EXPECT_NE(picture.program, ground);
    EXPECT_EQ(picture.state, gfx::DrawState().blend(gfx::BlendFactor::One, gfx::BlendFactor::InvSrcAlpha))
        << "the fills' cover in the scene's alpha takes the ground away";
    EXPECT_EQ(picture.textures[VectorDisplay::kSceneStage].texture, targetOf(FirstView));
    gfx::destroy(ground);
}

// The trail and the bloom draw on the tiles the composite draws, with bottom-up texels, and
// clear the rest of their targets: a tile whose trail has faded must read black there, not what
// the target held frames ago.
TEST_F(FrameTest, TrailAndBloomDrawTheCompositesTilesAndClearTheRest) {
    lineFrame();
    gfx::frame();
    const std::vector<PosTexCoordColorVertex> tiles =
        recording().vertices<PosTexCoordColorVertex>(onlyDraw(FirstView + CompositeView));
    ASSERT_FALSE(tiles.empty());
    EXPECT_LT(tiles.size(), 6u * (Width / VectorDisplay::kTileSize) * (Height / VectorDisplay::kTileSize))
        << "not the whole window";
    for (int pass : {TrailView, DownView, AcrossView, AlongView}) {
        const gfx::ViewState& state = recording().pass(FirstView + pass)->state;
        EXPECT_EQ(state.clearFlags, gfx::Clear::Colour) << pass;
        EXPECT_EQ(state.clearRgba, 0x00000000u) << pass;
        const std::vector<PosTexCoordColorVertex> drawn =
            recording().vertices<PosTexCoordColorVertex>(onlyDraw(FirstView + pass));
        ASSERT_EQ(drawn.size(), tiles.size()) << pass;
        for (size_t i = 0; i < drawn.size(); ++i) {
            EXPECT_THAT((std::vector<float>{drawn[i].x, drawn[i].y, drawn[i].u, drawn[i].v}),
                        Pointwise(FloatEq(), {tiles[i].x, tiles[i].y, tiles[i].x, 1.0f - tiles[i].y}))
                << pass;
        }
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
        EXPECT_EQ(gfx::textureInfo(gfx::getTexture(scene.frameBuffer)).width, Width) << "the window's pixels only";
        // The composite shows the scene texel for texel where it draws: its texture coordinates
        // follow its positions on the unit square (v from the bottom).
        for (const PosTexCoordColorVertex& corner :
             recording().vertices<PosTexCoordColorVertex>(onlyDraw(FirstView + 2))) {
            EXPECT_FLOAT_EQ(corner.u, corner.x);
            EXPECT_FLOAT_EQ(corner.v, 1.0f - corner.y);
        }
    }
}

// Only the tiles of the window that the picture reaches are composited: where the lines lie
// and the glow spreads around them, and where their trail has not yet faded.
TEST_F(FrameTest, TheCompositeDrawsTheTilesThePictureReachesUntilItsTrailHasFaded) {
    const int tile = VectorDisplay::kTileSize;
    auto litTiles = [&] {
        int lit = 0;
        for (int r = 0; r * tile < Height; ++r) {
            for (int c = 0; c * tile < Width; ++c) lit += display->tileLit(c, r);
        }
        return lit;
    };
    // A short line near the top left: its tiles and those its glow reaches.
    display->beginFrame();
    display->beginDraw(10, 10, false);  // y down, as the window's rows
    display->drawTo(20, 10);
    display->endDraw();
    display->endFrame(true);
    gfx::frame();
    EXPECT_TRUE(display->tileLit(0, 0));
    EXPECT_TRUE(display->tileLit(1, 1)) << "within the glow's reach";
    EXPECT_FALSE(display->tileLit(Width / tile - 1, Height / tile - 1));
    const int near = litTiles();
    EXPECT_LT(near, (Width / tile) * (Height / tile) / 4);
    for (const PosTexCoordColorVertex& corner :
         recording().vertices<PosTexCoordColorVertex>(onlyDraw(FirstView + CompositeView))) {
        EXPECT_LE(corner.x, float(near * tile) / Width + 1e-6f) << "nothing far from the line";
    }

    // The line moves to the bottom right: the top left stays lit while its trail fades, then not.
    int frames = 0;
    while (display->tileLit(0, 0) && frames < 100) {
        display->beginFrame();
        display->beginDraw(Width - 20.0f, Height - 10.0f, false);
        display->drawTo(Width - 10.0f, Height - 10.0f);
        display->endDraw();
        display->endFrame(true);
        EXPECT_TRUE(display->tileLit(Width / tile - 1, Height / tile - 1));
        ++frames;
    }
    // From full light, rounded down by a fade of 0.661 each frame, the trail is gone in 12.
    EXPECT_GE(frames, 12);
    EXPECT_LE(frames, 14);
}

TEST_F(FrameTest, TrailAndGlowBuffersFollowTheSize) {
    struct Case {
        uint16_t superSample, width, height, trailWidth, trailHeight, glowWidth, glowHeight;
    };
    for (Case c : {Case{1, 320, 240, 160, 120, 80, 60}, Case{2, 320, 240, 160, 120, 80, 60}, Case{1, 5, 2, 2, 1, 1, 1},
                   Case{3, 2, 2, 1, 1, 1, 1}}) {
        remakeDisplay(c.superSample, c.width, c.height, 0);
        lineFrame();
        gfx::frame();
        gfx::TextureInfo trail = gfx::textureInfo(targetOf(FirstView + TrailView));
        gfx::TextureInfo glow = gfx::textureInfo(targetOf(FirstView + DownView));
        EXPECT_EQ(trail.width, c.trailWidth) << c.width;
        EXPECT_EQ(trail.height, c.trailHeight) << c.height;
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
    EXPECT_EQ(gfx::textureInfo(targetOf(FirstView)).width, 640);
    EXPECT_EQ(gfx::textureInfo(targetOf(FirstView + TrailView)).height, 180);
    EXPECT_EQ(gfx::textureInfo(targetOf(FirstView + DownView)).height, 90);
    EXPECT_EQ(recording().pass(FirstView + CompositeView)->state.rect, (gfx::Rect{0, 0, 640, 360}));
}

// The first frame composites the trail and the glow buffers before anything was written to them.
TEST_F(FrameTest, TrailAndGlowBuffersStartBlack) {
    lineFrame();
    gfx::frame();
    for (uint8_t stage : {VectorDisplay::kTrailStage, VectorDisplay::kGlowStage}) {
        gfx::TextureHandle texture = onlyDraw(FirstView + CompositeView).textures[stage].texture;
        std::vector<uint8_t> texels(gfx::textureInfo(texture).storageSize, 0xee);
        ASSERT_TRUE(gfx::readTexture(texture, texels.data()));
        EXPECT_THAT(texels, ::testing::Each(0)) << "stage " << int(stage);
    }
}

TEST_F(FrameTest, FramesLargerThanTheFirstBuffersAreKeptWhole) {
    display->beginFrame();
    for (int i = 0; i < 500; ++i) {
        display->beginDraw(float(i % 300), float(i / 300 * 10));
        display->drawTo(float(i % 300) + 5, float(i / 300 * 10) + 5);
        display->endDraw();
    }
    std::vector<PosTexCoordColorVertex> drawn = display->frameVertices();
    ASSERT_EQ(drawn.size(), 500u * SegmentVertices);
    display->endFrame(true);
    gfx::frame();
    const gfx::Draw& scene = onlyDraw(FirstView);
    std::vector<PosTexCoordColorVertex> stored = recording().vertices<PosTexCoordColorVertex>(scene);
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
    const gfx::TextureHandle written = targetOf(FirstView + TrailView);
    EXPECT_FALSE(display->setDecaySteps(0));
    EXPECT_FALSE(display->setDecaySteps(100));
    lineFrame();
    gfx::frame();
    EXPECT_THAT(paramOf(onlyDraw(FirstView + TrailView)), Pointwise(FloatEq(), {0.0f, 0.5f, 0.0f, 0.0f}));
    EXPECT_EQ(onlyDraw(FirstView + TrailView).textures[1].texture, written);
}

TEST_F(FrameTest, DecayStepsEmptyTheTrail) {
    lineFrame();
    gfx::frame();
    const gfx::TextureHandle written = targetOf(FirstView + TrailView);
    ASSERT_TRUE(display->setDecaySteps(3));
    lineFrame();
    gfx::frame();
    const gfx::TextureHandle last = onlyDraw(FirstView + TrailView).textures[1].texture;
    EXPECT_NE(last, written) << "new buffers";
    std::vector<uint8_t> texels(gfx::textureInfo(last).storageSize, 0xee);
    ASSERT_TRUE(gfx::readTexture(last, texels.data()));
    EXPECT_THAT(texels, ::testing::Each(0));
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

// The next screen may draw straight onto the window on the views the trail and the bloom cleared
// their targets on: once the display is gone those views clear nothing.
TEST_F(FrameTest, DestroyingTheDisplayStopsClearingTheViewsOfItsPasses) {
    lineFrame();
    gfx::frame();
    display.reset();
    for (int pass : {TrailView, DownView, AcrossView, AlongView, CompositeView}) gfx::touch(FirstView + pass);
    gfx::frame();
    for (int pass : {TrailView, DownView, AcrossView, AlongView, CompositeView}) {
        ASSERT_NE(recording().pass(FirstView + pass), nullptr) << pass;
        EXPECT_EQ(recording().pass(FirstView + pass)->state.clearFlags, gfx::Clear::None) << pass;
    }
}

// A composite adds onto the window whatever another display left its view doing.
TEST_F(FrameTest, TheCompositeNeverClearsTheWindow) {
    gfx::setViewClear(FirstView + CompositeView, gfx::Clear::Colour, 0x00000000);
    lineFrame();
    gfx::frame();
    EXPECT_EQ(recording().pass(FirstView + CompositeView)->state.clearFlags, gfx::Clear::None);
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
