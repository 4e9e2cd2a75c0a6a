#include <gmock/gmock.h>

#include <vector>

#include "RecordingTest.h"
#include "engine/gfx/VertexFormats.h"

using ::testing::ElementsAre;

namespace {

gfx::ProgramHandle makeProgram() { return gfx::createProgram("vs", "fs", "test"); }

// Submits one transient draw of `vertices` PosColorVertex records whose x tags the draw.
void submitTagged(gfx::ViewId view, gfx::ProgramHandle program, float tag) {
    gfx::TransientVertexBuffer buffer;
    ASSERT_TRUE(gfx::allocTransientVertexBuffer(&buffer, 3, PosColorVertex::layout));
    for (int i = 0; i < 3; ++i) {
        buffer.vertices<PosColorVertex>()[i] = PosColorVertex{tag, 0, 0, 0xffffffff};
    }
    gfx::setVertexBuffer(buffer);
    gfx::submit(view, program);
}

std::vector<gfx::ViewId> executedViews(const gfx::Recording& recording) {
    std::vector<gfx::ViewId> ids;
    for (const gfx::ViewPass& pass : recording.lastFrame().passes) {
        ids.push_back(pass.id);
    }
    return ids;
}

std::vector<float> tagsOf(const gfx::Recording& recording, const std::vector<const gfx::Draw*>& draws) {
    std::vector<float> tags;
    for (const gfx::Draw* draw : draws) {
        tags.push_back(recording.vertices<PosColorVertex>(*draw).at(0).x);
    }
    return tags;
}

}  // namespace

TEST_F(RecordingTest, ViewsRunInAscendingIdWhateverTheSubmissionOrder) {
    gfx::ProgramHandle program = makeProgram();
    submitTagged(200, program, 1);
    submitTagged(3, program, 2);
    submitTagged(200, program, 3);
    submitTagged(0, program, 4);
    submitTagged(3, program, 5);
    gfx::touch(9);
    gfx::frame();

    EXPECT_THAT(executedViews(recording()), ElementsAre(0, 3, 9, 200));
    EXPECT_THAT(tagsOf(recording(), drawsOf(3)), ElementsAre(2, 5));
    EXPECT_THAT(tagsOf(recording(), drawsOf(200)), ElementsAre(1, 3));
    EXPECT_EQ(recording().pass(9)->numDraws, 0u);
}

TEST_F(RecordingTest, OnlyViewsWithDrawsOrTouchedThisFrameRun) {
    gfx::setViewClear(4, gfx::Clear::Colour, 0x112233ff);
    gfx::touch(4);
    gfx::frame();
    EXPECT_THAT(executedViews(recording()), ElementsAre(4));

    gfx::frame();
    EXPECT_TRUE(executedViews(recording()).empty());
}

TEST_F(RecordingTest, ViewStatePersistsAcrossFramesUntilChanged) {
    gfx::FrameBufferHandle target = gfx::createFrameBuffer(32, 16, gfx::TextureFormat::BGRA8, gfx::Sampler::Point);
    glm::mat4 proj(2.0f);
    gfx::setViewClear(7, gfx::Clear::Colour | gfx::Clear::Depth, 0x336699ff, 0.5f, 3);
    gfx::setViewRect(7, 1, 2, 30, 10);
    gfx::setViewTransform(7, proj);
    gfx::setViewFrameBuffer(7, target);
    gfx::touch(7);
    gfx::frame();

    gfx::touch(7);
    gfx::frame();
    gfx::setViewRect(7, 0, 0, 8, 8);
    gfx::touch(7);
    gfx::frame();

    const gfx::ViewState& state = recording().pass(7)->state;
    EXPECT_EQ(state.clearFlags, gfx::Clear::Colour | gfx::Clear::Depth);
    EXPECT_EQ(state.clearRgba, 0x336699ffu);
    EXPECT_EQ(state.clearDepth, 0.5f);
    EXPECT_EQ(state.clearStencil, 3);
    EXPECT_EQ(state.proj, proj);
    EXPECT_EQ(state.view, glm::mat4(1.0f));
    EXPECT_EQ(state.frameBuffer, target);
    EXPECT_EQ(state.rect, (gfx::Rect{0, 0, 8, 8}));
}

TEST_F(RecordingTest, AWindowTargetTakesTheViewsThatDrawOnTheWindowUntilItIsGivenBack) {
    gfx::FrameBufferHandle own = gfx::createFrameBuffer(8, 8, gfx::TextureFormat::RGBA8, gfx::Sampler::Point);
    gfx::FrameBufferHandle window = gfx::createFrameBuffer(32, 16, gfx::TextureFormat::RGBA8, gfx::Sampler::Point);
    gfx::setViewFrameBuffer(3, own);
    gfx::setWindowTarget(window);
    for (gfx::ViewId view : {2, 3}) gfx::touch(view);
    gfx::frame();
    EXPECT_EQ(recording().pass(2)->state.frameBuffer, window);
    EXPECT_EQ(recording().pass(3)->state.frameBuffer, own);

    gfx::setWindowTarget(gfx::FrameBufferHandle());
    gfx::touch(2);
    gfx::frame();
    EXPECT_FALSE(recording().pass(2)->state.frameBuffer.valid());

    gfx::setWindowTarget(window);
    gfx::destroy(window);
    gfx::touch(2);
    gfx::frame();
    EXPECT_FALSE(recording().pass(2)->state.frameBuffer.valid()) << "a destroyed target is the window again";
}

TEST_F(RecordingTest, ViewIdsBeyondTheRangeAreIgnored) {
    gfx::ProgramHandle program = makeProgram();
    gfx::setViewRect(256, 0, 0, 1, 1);
    gfx::touch(256);
    submitTagged(300, program, 1);
    submitTagged(255, program, 2);
    gfx::frame();
    EXPECT_THAT(executedViews(recording()), ElementsAre(255));
}

TEST_F(RecordingTest, SubmitTakesThePendingBindingsAndClearsThem) {
    gfx::ProgramHandle program = makeProgram();
    gfx::UniformHandle sampler = gfx::createUniform("s_texColor", gfx::UniformType::Sampler);
    gfx::TextureHandle texture = gfx::createTexture2D(4, 4, gfx::TextureFormat::RGBA8, gfx::Sampler::Default);
    gfx::DrawState strip = gfx::DrawState().with(gfx::Primitive::TriangleStrip);
    gfx::setState(strip);
    gfx::setTexture(1, sampler, texture, gfx::Sampler::Clamp);
    gfx::setScissor(1, 2, 3, 4);
    submitTagged(1, program, 1);
    submitTagged(1, program, 2);
    gfx::setState(strip);
    gfx::discard();
    submitTagged(1, program, 3);
    gfx::frame();

    const gfx::ViewPass& pass = *recording().pass(1);
    const gfx::Draw& first = recording().draw(pass, 0);
    EXPECT_EQ(first.state, strip);
    EXPECT_EQ(first.textures[1].texture, texture);
    EXPECT_EQ(first.textures[1].sampler, sampler);
    EXPECT_EQ(first.textures[1].flags, gfx::Sampler::Clamp);
    EXPECT_EQ(first.scissor, (gfx::Rect{1, 2, 3, 4}));
    for (uint32_t i : {1u, 2u}) {
        const gfx::Draw& later = recording().draw(pass, i);
        EXPECT_EQ(later.state, gfx::DrawState());
        EXPECT_FALSE(later.textures[1].texture.valid());
        EXPECT_TRUE(later.scissor.empty());
    }
}

TEST_F(RecordingTest, UniformValuesPersistIntoLaterFrames) {
    gfx::ProgramHandle program = makeProgram();
    gfx::UniformHandle param = gfx::createUniform("u_paramVec", gfx::UniformType::Vec4);
    gfx::UniformHandle colour = gfx::createUniform("u_color", gfx::UniformType::Vec4);
    const float one[4] = {1, 0, 0, 0};
    const float two[4] = {2, 0, 0, 0};
    const float red[4] = {1, 0, 0, 1};
    gfx::setUniform(param, one);
    gfx::setUniform(colour, red);
    submitTagged(9, program, 1);
    gfx::setUniform(param, two);
    submitTagged(2, program, 2);
    gfx::frame();
    submitTagged(2, program, 3);  // values persist into the next frame
    gfx::frame();

    EXPECT_EQ(recording().uniform(recording().draw(*recording().pass(2), 0), param)[0], 2.0f);
    EXPECT_EQ(recording().uniform(recording().draw(*recording().pass(2), 0), colour)[3], 1.0f);
}

TEST_F(RecordingTest, UniformValuesBeforeAndAfterAChangeStaySeparate) {
    gfx::ProgramHandle program = makeProgram();
    gfx::UniformHandle param = gfx::createUniform("u_paramVec", gfx::UniformType::Vec4);
    const float one[4] = {1, 0, 0, 0};
    const float two[4] = {2, 0, 0, 0};
    gfx::setUniform(param, one);
    submitTagged(9, program, 1);
    gfx::setUniform(param, two);
    submitTagged(2, program, 2);
    gfx::frame();

    EXPECT_EQ(recording().uniform(recording().draw(*recording().pass(9), 0), param)[0], 1.0f);
    EXPECT_EQ(recording().uniform(recording().draw(*recording().pass(2), 0), param)[0], 2.0f);
}

TEST_F(RecordingTest, AUniformNameIsSharedAndLivesUntilItsLastOwnerDestroysIt) {
    gfx::UniformHandle first = gfx::createUniform("s_texColor", gfx::UniformType::Sampler);
    gfx::UniformHandle second = gfx::createUniform("s_texColor", gfx::UniformType::Sampler);
    EXPECT_EQ(first, second);
    gfx::destroy(first);
    gfx::frame();
    EXPECT_EQ(gfx::createUniform("s_texColor", gfx::UniformType::Sampler), second);
    gfx::destroy(second);
    gfx::destroy(second);
    gfx::frame();
    gfx::UniformHandle other = gfx::createUniform("u_other", gfx::UniformType::Vec4);
    EXPECT_EQ(other, first);  // the index came free only now
}

TEST_F(RecordingTest, ADestroyedHandleIsNotReusedWithinTheFrame) {
    gfx::TextureHandle first = gfx::createTexture2D(2, 2, gfx::TextureFormat::R8, gfx::Sampler::Default);
    gfx::destroy(first);
    EXPECT_EQ(gfx::textureInfo(first).width, 0);
    gfx::TextureHandle second = gfx::createTexture2D(2, 2, gfx::TextureFormat::R8, gfx::Sampler::Default);
    EXPECT_NE(second, first);
    gfx::frame();
    EXPECT_EQ(gfx::createTexture2D(2, 2, gfx::TextureFormat::R8, gfx::Sampler::Default), first);
}

TEST_F(RecordingTest, AFrameBufferTakesItsOwnTextureButNotABorrowedOne) {
    gfx::FrameBufferHandle owning = gfx::createFrameBuffer(8, 8, gfx::TextureFormat::BGRA8, gfx::Sampler::Point);
    gfx::TextureHandle ownTexture = gfx::getTexture(owning);
    gfx::TextureHandle borrowed = gfx::createTexture2D(8, 8, gfx::TextureFormat::RGBA8, gfx::Sampler::Point);
    gfx::FrameBufferHandle borrowing = gfx::createFrameBuffer(borrowed, false);
    EXPECT_EQ(gfx::textureInfo(ownTexture).format, gfx::TextureFormat::BGRA8);
    gfx::destroy(owning);
    gfx::destroy(borrowing);
    EXPECT_EQ(gfx::textureInfo(ownTexture).width, 0);
    EXPECT_EQ(gfx::textureInfo(borrowed).width, 8);
    EXPECT_FALSE(gfx::getTexture(borrowing).valid());
}

class TransientBudgetTest : public RecordingTest {
protected:
    // Room for 4 PosColorVertex (16 bytes) and 6 indices.
    void SetUp() override { start(64, 6); }
};

TEST_F(TransientBudgetTest, AvailableCountsShrinkAsTheFrameAllocates) {
    EXPECT_EQ(gfx::availableTransientVertices(10, PosColorVertex::layout), 4u);
    EXPECT_EQ(gfx::availableTransientVertices(3, PosColorVertex::layout), 3u);
    gfx::TransientVertexBuffer buffer;
    ASSERT_TRUE(gfx::allocTransientVertexBuffer(&buffer, 3, PosColorVertex::layout));
    EXPECT_EQ(gfx::availableTransientVertices(4, PosColorVertex::layout), 1u);
    // A wider vertex starts at the next multiple of its stride: 48 -> 48, 16 bytes left.
    EXPECT_EQ(gfx::availableTransientVertices(4, PosTexCoordColorVertex::layout), 0u);
    EXPECT_EQ(gfx::availableTransientIndices(10), 6u);
}

TEST_F(TransientBudgetTest, AnAllocationThatDoesNotFitHandsOutNothing) {
    gfx::TransientVertexBuffer vertices;
    gfx::TransientIndexBuffer indices;
    EXPECT_FALSE(gfx::allocTransientVertexBuffer(&vertices, 5, PosColorVertex::layout));
    EXPECT_EQ(vertices.data, nullptr);
    EXPECT_EQ(vertices.size, 0u);
    EXPECT_FALSE(gfx::allocTransientBuffers(&vertices, PosColorVertex::layout, 4, &indices, 7));
    EXPECT_EQ(indices.data, nullptr);
    // Nothing was taken by the failed calls.
    EXPECT_EQ(gfx::availableTransientVertices(4, PosColorVertex::layout), 4u);
    EXPECT_EQ(gfx::availableTransientIndices(6), 6u);
    EXPECT_TRUE(gfx::allocTransientBuffers(&vertices, PosColorVertex::layout, 4, &indices, 6));
    EXPECT_EQ(gfx::availableTransientVertices(1, PosColorVertex::layout), 0u);
    EXPECT_FALSE(gfx::allocTransientIndexBuffer(&indices, 1));
}

TEST_F(TransientBudgetTest, TheBudgetComesBackWithEachFrame) {
    gfx::TransientVertexBuffer buffer;
    ASSERT_TRUE(gfx::allocTransientVertexBuffer(&buffer, 4, PosColorVertex::layout));
    gfx::frame();
    EXPECT_EQ(gfx::availableTransientVertices(4, PosColorVertex::layout), 4u);
    ASSERT_TRUE(gfx::allocTransientVertexBuffer(&buffer, 4, PosColorVertex::layout));
    EXPECT_EQ(buffer.startVertex, 0u);
}

TEST_F(RecordingTest, IndexedDrawsUseTheirIndexRange) {
    gfx::ProgramHandle program = makeProgram();
    gfx::TransientVertexBuffer vertices;
    gfx::TransientIndexBuffer indices;
    ASSERT_TRUE(gfx::allocTransientBuffers(&vertices, PosColorVertex::layout, 4, &indices, 6));
    const uint16_t order[6] = {0, 1, 2, 2, 1, 3};
    std::copy(order, order + 6, indices.data);
    gfx::setVertexBuffer(vertices, 1, 3);
    gfx::setIndexBuffer(indices, 3, 10);
    gfx::submit(0, program);
    gfx::frame();

    const gfx::Draw& draw = recording().draw(*recording().pass(0), 0);
    EXPECT_EQ(draw.numVertices, 3u);
    EXPECT_THAT(recording().indices(draw), ElementsAre(2, 1, 3));
}

TEST_F(RecordingTest, DynamicBuffersKeepTheirContentsAndRefuseOverruns) {
    gfx::ProgramHandle program = makeProgram();
    gfx::DynamicVertexBufferHandle buffer = gfx::createDynamicVertexBuffer(4, PosTexCoordColorVertex::layout);
    PosTexCoordColorVertex data[5] = {};
    for (int i = 0; i < 5; ++i) {
        data[i].x = float(i);
    }
    EXPECT_FALSE(gfx::updateDynamicVertexBuffer(buffer, 0, data, 5));
    EXPECT_FALSE(gfx::updateDynamicVertexBuffer(buffer, 3, data, 2));
    EXPECT_TRUE(gfx::updateDynamicVertexBuffer(buffer, 1, data, 3));
    gfx::setVertexBuffer(buffer, 1, 3);
    gfx::submit(0, program);
    gfx::frame();

    auto drawn = recording().vertices<PosTexCoordColorVertex>(recording().draw(*recording().pass(0), 0));
    ASSERT_EQ(drawn.size(), 3u);
    EXPECT_EQ(drawn[0].x, 0.0f);
    EXPECT_EQ(drawn[2].x, 2.0f);
}

TEST_F(RecordingTest, TextureUpdatesLandWhereAskedAndStayInside) {
    gfx::TextureHandle texture = gfx::createTexture2D(4, 3, gfx::TextureFormat::RG8, gfx::Sampler::Default);
    // Two rows of two texels, read from a source with a 6-byte pitch.
    const uint8_t source[12] = {1, 2, 3, 4, 99, 99, 5, 6, 7, 8, 99, 99};
    EXPECT_TRUE(gfx::updateTexture2D(texture, 1, 1, 2, 2, source, 6));
    EXPECT_FALSE(gfx::updateTexture2D(texture, 3, 0, 2, 1, source));
    EXPECT_FALSE(gfx::updateTexture2D(texture, 0, 2, 1, 2, source));
    EXPECT_FALSE(gfx::updateTexture2D(texture, 0, 0, 2, 1, source, 3));  // pitch shorter than a row

    std::vector<uint8_t> texels(gfx::textureInfo(texture).storageSize);
    ASSERT_TRUE(gfx::readTexture(texture, texels.data()));
    EXPECT_THAT(texels, ElementsAre(0, 0, 0, 0, 0, 0, 0, 0,  //
                                    0, 0, 1, 2, 3, 4, 0, 0,  //
                                    0, 0, 5, 6, 7, 8, 0, 0));
}

TEST(VertexFormats, PackWithoutGaps) {
    struct Case {
        gfx::VertexLayout layout;
        uint16_t stride;
        int texCoordOffset;
        int colourOffset;
    };
    const Case cases[] = {
        {PosColorVertex::layout, 16, -1, 12},
        {PosTexCoordVertex::layout, 20, 12, -1},
        {PosTexCoordColorVertex::layout, 24, 12, 20},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.layout.stride(), c.stride);
        EXPECT_EQ(c.layout.format(gfx::Attrib::Position).num, 3);
        EXPECT_EQ(c.layout.format(gfx::Attrib::Position).offset, 0);
        EXPECT_FALSE(c.layout.format(gfx::Attrib::Position).normalised);
        EXPECT_EQ(c.layout.has(gfx::Attrib::TexCoord0), c.texCoordOffset >= 0);
        if (c.texCoordOffset >= 0) {
            EXPECT_EQ(c.layout.format(gfx::Attrib::TexCoord0).offset, c.texCoordOffset);
            EXPECT_EQ(c.layout.format(gfx::Attrib::TexCoord0).num, 2);
        }
        EXPECT_EQ(c.layout.has(gfx::Attrib::Color0), c.colourOffset >= 0);
        if (c.colourOffset >= 0) {
            const gfx::AttribFormat& colour = c.layout.format(gfx::Attrib::Color0);
            EXPECT_EQ(colour.offset, c.colourOffset);
            EXPECT_EQ(colour.num, 4);
            EXPECT_EQ(colour.type, gfx::AttribType::Uint8);
            EXPECT_TRUE(colour.normalised);
        }
    }
    PosColorVertex red{0, 0, 0, 0xff0000ff};
    const uint8_t* bytes = reinterpret_cast<const uint8_t*>(&red.abgr);
    EXPECT_THAT(std::vector<uint8_t>(bytes, bytes + 4), ElementsAre(0xff, 0, 0, 0xff));  // R, G, B, A
}

TEST_F(RecordingTest, TextureDescriptionsThatCannotBeMadeAreRefused) {
    auto desc = [](gfx::TextureKind kind, gfx::TextureFormat format, uint16_t w, uint16_t h, uint16_t d,
                   uint16_t layers, uint8_t mips) {
        gfx::TextureDesc made;
        made.kind = kind;
        made.format = format;
        made.width = w;
        made.height = h;
        made.depth = d;
        made.numLayers = layers;
        made.numMips = mips;
        return made;
    };
    using gfx::TextureFormat;
    using gfx::TextureKind;
    struct Case {
        const char* name;
        gfx::TextureDesc desc;
    };
    const Case cases[] = {
        {"no layers", desc(TextureKind::Flat, TextureFormat::RGBA8, 4, 4, 1, 0, 1)},
        {"no mips", desc(TextureKind::Flat, TextureFormat::RGBA8, 4, 4, 1, 1, 0)},
        {"more mips than halvings", desc(TextureKind::Flat, TextureFormat::RGBA8, 4, 4, 1, 1, 4)},
        {"flat with depth", desc(TextureKind::Flat, TextureFormat::RGBA8, 4, 4, 2, 1, 1)},
        {"cube not square", desc(TextureKind::Cube, TextureFormat::RGBA8, 4, 2, 1, 1, 1)},
        {"cube with depth", desc(TextureKind::Cube, TextureFormat::RGBA8, 4, 4, 2, 1, 1)},
        {"volume in layers", desc(TextureKind::Volume, TextureFormat::RGBA8, 4, 4, 4, 2, 1)},
        {"compressed volume", desc(TextureKind::Volume, TextureFormat::BC1, 4, 4, 4, 1, 1)},
        {"over 4 GiB", desc(TextureKind::Cube, TextureFormat::RGBA8, 16384, 16384, 1, 1, 1)},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(gfx::createTexture(c.desc, nullptr, 0).valid()) << c.name;
    }
    const gfx::TextureDesc cube = desc(TextureKind::Cube, TextureFormat::R8, 2, 2, 1, 1, 2);
    const std::vector<uint8_t> texels(size_t(gfx::storageSize(cube)), 7);
    EXPECT_EQ(texels.size(), 6u * (4 + 1));
    EXPECT_FALSE(gfx::createTexture(cube, texels.data(), texels.size() - 1).valid());
    EXPECT_TRUE(gfx::createTexture(cube, texels.data(), texels.size()).valid());
}

TEST_F(RecordingTest, OnlyPlainTexturesTakeUpdatesAndBecomeFrameBuffers) {
    auto make = [](gfx::TextureKind kind, gfx::TextureFormat format, uint16_t layers, uint8_t mips) {
        gfx::TextureDesc desc;
        desc.kind = kind;
        desc.format = format;
        desc.width = 4;
        desc.height = 4;
        desc.numLayers = layers;
        desc.numMips = mips;
        return gfx::createTexture(desc, nullptr, 0);
    };
    const uint8_t texel[4] = {1, 2, 3, 4};
    const gfx::TextureHandle mipped = make(gfx::TextureKind::Flat, gfx::TextureFormat::RGBA8, 1, 3);
    EXPECT_TRUE(gfx::updateTexture2D(mipped, 0, 0, 1, 1, texel));  // level 0
    EXPECT_FALSE(gfx::createFrameBuffer(mipped, false).valid());
    for (gfx::TextureHandle refused : {make(gfx::TextureKind::Flat, gfx::TextureFormat::RGBA8, 2, 1),
                                       make(gfx::TextureKind::Cube, gfx::TextureFormat::RGBA8, 1, 1),
                                       make(gfx::TextureKind::Flat, gfx::TextureFormat::BC3, 1, 1)}) {
        ASSERT_TRUE(refused.valid());
        EXPECT_FALSE(gfx::updateTexture2D(refused, 0, 0, 1, 1, texel));
        EXPECT_FALSE(gfx::createFrameBuffer(refused, false).valid());
    }
}
