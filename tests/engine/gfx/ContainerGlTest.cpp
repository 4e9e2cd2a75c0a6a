#include <gmock/gmock.h>

#include <string>
#include <vector>

#include "ContainerFiles.h"
#include "GlContext.h"
#include "ReadBackTarget.h"
#include "engine/gfx/Projection.h"
#include "engine/gfx/TextureLoader.h"
#include "engine/gfx/VertexFormats.h"

using ::testing::Each;
using namespace containers;

namespace {

const char* const FlatFs = R"(#version 330 core
in vec2 v_texcoord0;
uniform sampler2D s_tex;
out vec4 fragColour;
void main() { fragColour = texture(s_tex, v_texcoord0); }
)";

// Looks along the direction in u_dir, whatever the pixel.
const char* const CubeFs = R"(#version 330 core
in vec2 v_texcoord0;
uniform samplerCube s_tex;
uniform vec4 u_dir;
out vec4 fragColour;
void main() { fragColour = texture(s_tex, u_dir.xyz); }
)";

// Draws the texture over a size x size target in one pass and returns the target's texels.
std::vector<uint32_t> drawn(gfx::ProgramHandle program, gfx::TextureHandle texture, int size,
                            const float* direction = nullptr) {
    const gfx::FrameBufferHandle target = makeReadBackTarget(1, size, size);
    gfx::UniformHandle sampler = gfx::createUniform("s_tex", gfx::UniformType::Sampler);
    gfx::UniformHandle dir = gfx::createUniform("u_dir", gfx::UniformType::Vec4);
    if (direction != nullptr) {
        gfx::setUniform(dir, direction);
    }
    gfx::setViewTransform(1, gfx::ortho(0, 1, 0, 1, -1, 100, gfx::caps().homogeneousDepth));
    gfx::TransientVertexBuffer buffer;
    EXPECT_TRUE(gfx::allocTransientVertexBuffer(&buffer, 4, PosTexCoordVertex::layout));
    PosTexCoordVertex* v = buffer.vertices<PosTexCoordVertex>();
    v[0] = {0, 0, 0, 0, 0};
    v[1] = {0, 1, 0, 0, 1};
    v[2] = {1, 0, 0, 1, 0};
    v[3] = {1, 1, 0, 1, 1};
    gfx::setVertexBuffer(buffer);
    gfx::setTexture(0, sampler, texture);
    gfx::setState(gfx::DrawState().with(gfx::Primitive::TriangleStrip));
    gfx::submit(1, program);
    gfx::frame();
    std::vector<uint32_t> pixels = readBack<uint32_t>(target, size, size);
    gfx::destroy(target);
    gfx::destroy(sampler);
    gfx::destroy(dir);
    return pixels;
}

// Texels where every image of the layout is one colour, given as packed ABGR per image.
Bytes solidImages(const gfx::TextureDesc& desc, const std::vector<uint32_t>& colours) {
    Bytes texels;
    size_t image = 0;
    for (uint32_t slice = 0; slice < uint32_t(desc.numLayers) * gfx::faceCount(desc); ++slice) {
        for (uint8_t level = 0; level < desc.numMips; ++level, ++image) {
            uint64_t count = uint64_t(gfx::mipSize(desc.width, level)) * gfx::mipSize(desc.height, level);
            for (uint64_t i = 0; i < count; ++i) {
                for (int c = 0; c < 4; ++c) {
                    texels.push_back(uint8_t(colours[image] >> (8 * c)));
                }
            }
        }
    }
    return texels;
}

}  // namespace

TEST_F(GlTest, EveryContainerLayoutReadsBackFromTheGpuAsTheFileHasIt) {
    for (const Layout& layout : layouts()) {
        SCOPED_TRACE(layout.name);
        Game::TextureRecord record = Game::loadTexture(writeFile(layout.name, layout.file), gfx::Sampler::Default);
        ASSERT_TRUE(record.handle.valid());
        std::vector<uint8_t> back(record.info.storageSize);
        ASSERT_TRUE(gfx::readTexture(record.handle, back.data()));
        EXPECT_EQ(back, patternTexels(layout.desc));
        gfx::destroy(record.handle);
    }
}

TEST_F(GlTest, AMippedTextureDrawnSmallerSamplesTheMatchingLevel) {
    const gfx::TextureDesc desc = shape(gfx::TextureKind::Flat, gfx::TextureFormat::RGBA8, 4, 4, 1, 1, 3);
    const uint32_t red = 0xff0000ff, green = 0xff00ff00, blue = 0xffff0000;
    const Bytes file = ktxFile(desc, solidImages(desc, {red, green, blue}));
    Game::TextureRecord record = Game::loadTexture(writeFile("levels.ktx", file), gfx::Sampler::Point);
    ASSERT_TRUE(record.handle.valid());
    gfx::ProgramHandle program = gfx::createProgram(kTexturedQuadVs, FlatFs, "flat");
    EXPECT_THAT(drawn(program, record.handle, 4), Each(red));
    EXPECT_THAT(drawn(program, record.handle, 2), Each(green));
    EXPECT_THAT(drawn(program, record.handle, 1), Each(blue));
}

TEST_F(GlTest, ACubeMapShowsTheFaceADirectionPointsAt) {
    const gfx::TextureDesc desc = shape(gfx::TextureKind::Cube, gfx::TextureFormat::RGBA8, 2, 2, 1, 1, 1);
    const std::vector<uint32_t> faces = {0xff0000ff, 0xff00ffff, 0xff00ff00, 0xffffff00, 0xffff0000, 0xffff00ff};
    const Bytes file = ddsFile(desc, solidImages(desc, faces));
    Game::TextureRecord record = Game::loadTexture(writeFile("faces.dds", file), gfx::Sampler::Point);
    ASSERT_TRUE(record.handle.valid());
    gfx::ProgramHandle program = gfx::createProgram(kTexturedQuadVs, CubeFs, "cube");
    const float directions[6][4] = {{1, 0, 0, 0},  {-1, 0, 0, 0}, {0, 1, 0, 0},
                                    {0, -1, 0, 0}, {0, 0, 1, 0},  {0, 0, -1, 0}};
    for (int face = 0; face < 6; ++face) {
        EXPECT_THAT(drawn(program, record.handle, 1, directions[face]), Each(faces[face])) << "face " << face;
    }
}

TEST_F(GlTest, ABlockCompressedTextureIsDecodedWhenDrawn) {
    ASSERT_TRUE(gfx::textureFormatSupported(gfx::TextureFormat::BC1));
    const gfx::TextureDesc desc = shape(gfx::TextureKind::Flat, gfx::TextureFormat::BC1, 4, 4, 1, 1, 1);
    // One block: both end colours pure red (5:6:5), every texel index 0.
    const Bytes block = {0x00, 0xf8, 0x00, 0xf8, 0, 0, 0, 0};
    Game::TextureRecord record = Game::loadTexture(writeFile("red.dds", ddsFile(desc, block)), gfx::Sampler::Point);
    ASSERT_TRUE(record.handle.valid());
    gfx::ProgramHandle program = gfx::createProgram(kTexturedQuadVs, FlatFs, "flat");
    EXPECT_THAT(drawn(program, record.handle, 4), Each(0xff0000ffu));
}
