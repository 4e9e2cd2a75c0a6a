#include <gmock/gmock.h>

#include "ContainerFiles.h"
#include "GlContext.h"
#include "ImageFiles.h"
#include "ReadBackTarget.h"
#include "RecordingTest.h"
#include "engine/gfx/ColourQuad.h"
#include "engine/gfx/Projection.h"
#include "engine/gfx/ShaderLoader.h"
#include "engine/gfx/TextureLoader.h"
#include "engine/gfx/VertexFormats.h"

using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace {

// The pixel centres a drawn rectangle covers in a target of the given width, as (x, y) rows
// counted from the bottom.
std::vector<uint32_t> expectedFill(int width, int height, int x0, int y0, int x1, int y1, uint32_t inside) {
    std::vector<uint32_t> pixels(size_t(width) * height, 0xff000000u);
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            pixels[size_t(y) * width + x] = inside;
        }
    }
    return pixels;
}

}  // namespace

// --- Shader programs ---

TEST_F(RecordingTest, ShaderProgramsLoadFromTheDataFolderByName) {
    EXPECT_TRUE(Game::loadShaderProgram("vtx-color", "vtx-color").valid());
    EXPECT_TRUE(gfx::createProgramFromFiles("data/vtx-color.vs.bin", "data/vtx-color.fs.bin").valid());
    EXPECT_FALSE(gfx::createProgramFromFiles("data/vtx-color.vs.bin", "").valid());
    EXPECT_FALSE(gfx::createProgramFromFiles("data/missing.vs.bin", "data/vtx-color.fs.bin").valid());
}

TEST_F(RecordingTest, AShaderProgramThatCannotBeMadeStopsTheProcess) {
    EXPECT_EXIT(Game::loadShaderProgram("missing", "vtx-color"), ::testing::ExitedWithCode(1),
                "^Failed to create shader from: data/missing.vs.bin and data/vtx-color.fs.bin\n$");
}

TEST_F(GlTest, ABrokenShaderPrintsItsLogOnceThenTheFailureLine) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const std::string vs = "data/../tests/engine/gfx/fixtures/broken.vs.bin";
    EXPECT_EXIT(Game::loadShaderProgram("../tests/engine/gfx/fixtures/broken", "vtx-color"),
                ::testing::ExitedWithCode(1),
                "undeclaredMatrix(.|\n)*\nFailed to create shader from: " + vs + " and data/vtx-color.fs.bin\n$");
}

// --- Textures ---

TEST_F(RecordingTest, PngAndTgaLoadFlippedInTheirOwnChannelCount) {
    struct Case {
        const char* name;
        int channels;
        gfx::TextureFormat format;
        uint8_t bits;
    };
    const Case cases[] = {
        {"grey.png", 1, gfx::TextureFormat::R8, 8},     {"grey-alpha.png", 2, gfx::TextureFormat::RG8, 16},
        {"rgb.tga", 3, gfx::TextureFormat::RGB8, 24},   {"rgba.png", 4, gfx::TextureFormat::RGBA8, 32},
        {"rgba.tga", 4, gfx::TextureFormat::RGBA8, 32},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Game::TextureRecord record = Game::loadTexture(writeImage(c.name, 3, 2, c.channels), gfx::Sampler::Point);
        ASSERT_TRUE(record.handle.valid());
        EXPECT_EQ(record.info.format, c.format);
        EXPECT_EQ(record.info.bitsPerPixel, c.bits);
        EXPECT_EQ(record.info.width, 3);
        EXPECT_EQ(record.info.height, 2);
        EXPECT_EQ(record.info.depth, 1);
        EXPECT_EQ(record.info.storageSize, uint32_t(3 * 2 * c.channels));
        std::vector<uint8_t> texels(record.info.storageSize);
        ASSERT_TRUE(gfx::readTexture(record.handle, texels.data()));
        // Texture row 0 is the file's bottom row (y = 1).
        EXPECT_EQ(texels[0], 16);
        EXPECT_EQ(texels[size_t(3 * c.channels)], 0);
    }
}

TEST_F(RecordingTest, OtherImageFilesLoadUnflipped) {
    Game::TextureRecord record = Game::loadTexture(writeImage("rgb.bmp", 2, 2, 3), gfx::Sampler::Default);
    ASSERT_TRUE(record.handle.valid());
    EXPECT_EQ(record.info.format, gfx::TextureFormat::RGB8);
    std::vector<uint8_t> texels(record.info.storageSize);
    ASSERT_TRUE(gfx::readTexture(record.handle, texels.data()));
    EXPECT_EQ(texels[0], 0);
    EXPECT_EQ(texels[6], 16);
}

TEST_F(RecordingTest, AStackOfSlicesBecomesA3DTexture) {
    Game::TextureRecord record = Game::loadTexture(writeImage("lut.3D.png", 64, 4096, 4), gfx::Sampler::Clamp);
    ASSERT_TRUE(record.handle.valid());
    EXPECT_EQ(record.info.width, 64);
    EXPECT_EQ(record.info.height, 64);
    EXPECT_EQ(record.info.depth, 64);
    EXPECT_EQ(record.info.storageSize, 64u * 64 * 64 * 4);
    EXPECT_FALSE(gfx::updateTexture2D(record.handle, 0, 0, 1, 1, "abcd"));  // it is not 2D
}

TEST_F(RecordingTest, AnImageThatCannotBeLoadedGivesAnInvalidHandleSilently) {
    const std::string garbage = ::testing::TempDir() + "garbage.png";
    std::FILE* file = std::fopen(garbage.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fputs("not a picture", file);
    std::fclose(file);
    for (const std::string& path : {std::string("data/missing.png"), std::string("data/missing.dds"), garbage}) {
        testing::internal::CaptureStderr();
        Game::TextureRecord record = Game::loadTexture(path, gfx::Sampler::Default);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
        EXPECT_EQ(record.handle.idx, 0xffff) << path;
        EXPECT_EQ(record.info.storageSize, 0u);
    }
}

TEST_F(RecordingTest, ContainerFilesMakeTheTextureTheyHold) {
    for (const containers::Layout& layout : containers::layouts()) {
        SCOPED_TRACE(layout.name);
        testing::internal::CaptureStderr();
        Game::TextureRecord record =
            Game::loadTexture(containers::writeFile(layout.name, layout.file), gfx::Sampler::Clamp);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
        ASSERT_TRUE(record.handle.valid());
        const gfx::TextureDesc& desc = layout.desc;
        EXPECT_EQ(record.info.format, desc.format);
        EXPECT_EQ(record.info.width, desc.width);
        EXPECT_EQ(record.info.height, desc.height);
        EXPECT_EQ(record.info.depth, desc.depth);
        EXPECT_EQ(record.info.numLayers, desc.numLayers);
        EXPECT_EQ(record.info.numMips, desc.numMips);
        EXPECT_EQ(record.info.cubeMap, desc.kind == gfx::TextureKind::Cube);
        EXPECT_EQ(record.info.bitsPerPixel, gfx::bitsPerPixel(desc.format));
        const containers::Bytes texels = containers::patternTexels(desc);
        EXPECT_EQ(record.info.storageSize, texels.size());
        const gfx::TextureInfo held = gfx::textureInfo(record.handle);
        EXPECT_EQ(held.cubeMap, record.info.cubeMap);
        EXPECT_EQ(held.depth, record.info.depth);
        EXPECT_EQ(held.numMips, record.info.numMips);
        std::vector<uint8_t> back(record.info.storageSize);
        ASSERT_TRUE(gfx::readTexture(record.handle, back.data()));
        EXPECT_EQ(back, texels);
        gfx::destroy(record.handle);
    }
}

TEST_F(RecordingTest, ABrokenContainerFileGivesAnInvalidHandleAndOneLineNamingIt) {
    using namespace containers;
    const gfx::TextureDesc desc = shape(gfx::TextureKind::Cube, gfx::TextureFormat::RGBA8, 4, 4, 1, 1, 2);
    const Bytes ktx = ktxFile(desc, patternTexels(desc));
    const Bytes dds = ddsFile(desc, patternTexels(desc));
    struct Case {
        const char* name;
        Bytes file;
        const char* line;
    };
    const Case cases[] = {
        {"truncated.ktx", cut(ktx, ktx.size() - 3), "truncated: mip level 1 needs 96 bytes, 93 are left"},
        {"five-faces.dds", patched(dds, Dds::Caps2, 0x7e00), "cube map without all six faces (caps2 0x7e00)"},
        {"mips.ktx", patched(ktx, Ktx::Mips, 9), "mip count 9 is beyond a 4 x 4 x 1 image (at most 3)"},
        {"format.dds", patched(patched(dds, Dds::PixelFlags, 0x4), Dds::FourCc, 0x20435441),
         "unsupported format: FourCC \"ATC \""},
        {"huge.dds", patched(patched(dds, Dds::Width, 0xffff), Dds::Height, 0xffff), "texels of "},
        // Readable, but block-compressed volumes are not made.
        {"bc1-volume.dds",
         ddsFile(shape(gfx::TextureKind::Volume, gfx::TextureFormat::BC1, 4, 4, 2, 1, 1), Bytes(16), true),
         "the renderer could not make a 4 x 4 x 2 3-D texture in BC1 (layers: 1, mip levels: 1)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = containers::writeFile(c.name, c.file);
        testing::internal::CaptureStderr();
        Game::TextureRecord record = Game::loadTexture(path, gfx::Sampler::Default);
        const std::string printed = testing::internal::GetCapturedStderr();
        EXPECT_FALSE(record.handle.valid());
        EXPECT_EQ(record.info.storageSize, 0u);
        EXPECT_THAT(printed, ::testing::StartsWith(path + ": " + c.line));
        EXPECT_EQ(std::count(printed.begin(), printed.end(), '\n'), 1) << printed;
        EXPECT_EQ(printed.back(), '\n');
    }
}

class NoBlockCompressionTest : public RecordingTest {
protected:
    void SetUp() override {
        gfx::Init init;
        init.backend = gfx::Backend::Recording;
        init.recordBlockCompression = false;
        ASSERT_TRUE(gfx::init(init));
    }
};

TEST_F(NoBlockCompressionTest, ABlockCompressedFileIsRefusedNamingItsFormat) {
    const gfx::TextureDesc desc = containers::shape(gfx::TextureKind::Flat, gfx::TextureFormat::BC7, 8, 8, 1, 1, 1);
    const std::string path =
        containers::writeFile("bc7.dds", containers::ddsFile(desc, containers::patternTexels(desc)));
    testing::internal::CaptureStderr();
    Game::TextureRecord record = Game::loadTexture(path, gfx::Sampler::Default);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), path + ": format BC7 is not supported by the renderer\n");
    EXPECT_FALSE(record.handle.valid());
    EXPECT_FALSE(gfx::textureFormatSupported(gfx::TextureFormat::BC1));
    EXPECT_TRUE(gfx::textureFormatSupported(gfx::TextureFormat::BGRA8));
}

TEST_F(RecordingTest, AnEmptyTextureIsRgba8WithoutContents) {
    Game::TextureRecord record = Game::createEmptyTexture(672, 480, gfx::Sampler::Point);
    ASSERT_TRUE(record.handle.valid());
    EXPECT_EQ(record.info.format, gfx::TextureFormat::RGBA8);
    EXPECT_EQ(record.info.width, 672);
    EXPECT_EQ(record.info.height, 480);
    EXPECT_EQ(record.info.depth, 1);
    EXPECT_EQ(record.info.numLayers, 1);
    EXPECT_EQ(record.info.storageSize, 672u * 480 * 4);
}

// --- Coloured rectangles ---

TEST_F(RecordingTest, ColourRectsConvertPercentFromTheTopLeftToPixelsFromTheBottomLeft) {
    struct Case {
        Game::PercentRect rect;
        int width, height;
        float x0, y0, x1, y1;
    };
    const Case cases[] = {
        {{0, 0, 100, 100}, 640, 480, 0, 0, 640, 480},
        {{10, 20, 30, 40}, 200, 100, 20, 40, 80, 80},
        {{33, 33, 33, 33}, 101, 101, 33, 34, 66, 67},  // each value truncated
    };
    Game::createColourProgram();
    for (const Case& c : cases) {
        Game::drawColourRect(4, c.width, c.height, 0xff0000ff, c.rect);
        gfx::frame();
        const gfx::ViewPass& pass = *recording().pass(4);
        EXPECT_EQ(pass.state.rect, (gfx::Rect{0, 0, uint16_t(c.width), uint16_t(c.height)}));
        EXPECT_EQ(pass.state.proj, gfx::ortho(0, float(c.width), 0, float(c.height), -1, 100, true));
        const gfx::Draw& draw = recording().draw(pass, 0);
        EXPECT_EQ(draw.state, gfx::DrawState().with(gfx::Primitive::TriangleStrip));
        auto v = recording().vertices<PosColorVertex>(draw);
        ASSERT_EQ(v.size(), 4u);
        EXPECT_EQ(v[0].x, c.x0);
        EXPECT_EQ(v[0].y, c.y0);
        EXPECT_EQ(v[1].y, c.y1);
        EXPECT_EQ(v[3].x, c.x1);
        EXPECT_EQ(v[3].y, c.y1);
        EXPECT_EQ(v[2].abgr, 0xff0000ffu);
    }
    Game::destroyColourProgram();
}

class ColourQuadBudgetTest : public RecordingTest {
protected:
    void SetUp() override { start(16 * 6, 16); }  // one quad and a half
};

TEST_F(ColourQuadBudgetTest, RunningOutOfTransientVerticesSkipsTheQuad) {
    Game::createColourProgram();
    Game::drawColourQuad(1, 10, 10, 0, 0, 5, 5, 0xffffffff);
    Game::drawColourQuad(2, 10, 10, 0, 0, 5, 5, 0xffffffff);
    gfx::frame();
    EXPECT_NE(recording().pass(1), nullptr);
    EXPECT_EQ(recording().pass(2), nullptr);
    Game::destroyColourProgram();
}

TEST_F(GlTest, AColourRectFillsExactlyItsPixels) {
    Game::createColourProgram();
    const gfx::FrameBufferHandle target = makeReadBackTarget(3, 200, 100);
    Game::drawColourRect(3, 200, 100, 0xff0000ff, Game::PercentRect{10, 20, 30, 40});
    gfx::frame();
    EXPECT_EQ(readBack<uint32_t>(target, 200, 100), expectedFill(200, 100, 20, 40, 80, 80, 0xff0000ffu));
    Game::destroyColourProgram();
}

TEST_F(GlTest, A3DTextureFromASliceStackSamplesLikeTheFile) {
    const std::string path = writeImage("lut.3D.png", 64, 4096, 4);
    Game::TextureRecord record = Game::loadTexture(path, gfx::Sampler::Clamp);
    ASSERT_TRUE(record.handle.valid());
    EXPECT_EQ(record.info.depth, 64);
    std::vector<uint8_t> texels(record.info.storageSize);
    ASSERT_TRUE(gfx::readTexture(record.handle, texels.data()));
    // Flipped on load: texel (x, y, z) is file row 4095 - (64 z + y).
    auto fileValue = [](int x, int row, int c) { return uint8_t(x + 16 * row + 64 * c); };
    EXPECT_EQ(texels[0], fileValue(0, 4095, 0));
    size_t last = ((size_t(63) * 64 + 63) * 64 + 5) * 4 + 2;
    EXPECT_EQ(texels[last], fileValue(5, 0, 2));
}
