#include <gmock/gmock.h>

#include <string>
#include <vector>

#include "GlContext.h"
#include "engine/gfx/FileRead.h"
#include "engine/gfx/Projection.h"
#include "engine/gfx/ShaderLoader.h"
#include "engine/gfx/VertexFormats.h"

using ::testing::Each;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace {

// The shipped flat-colour program.
gfx::ProgramHandle colourProgram() {
    return gfx::createProgramFromFiles("data/vtx-color.vs.bin", "data/vtx-color.fs.bin");
}

const char* const TextureFs = R"(#version 330 core
in vec2 v_texcoord0;
uniform sampler2D s_texColor;
uniform vec4 u_tint;
out vec4 fragColour;
void main() { fragColour = texture(s_texColor, v_texcoord0) * u_tint; }
)";

std::string fileText(const std::string& path) {
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(gfx::readWholeFile(path, bytes)) << path;
    return std::string(bytes.begin(), bytes.end());
}

using Pixels = std::vector<uint32_t>;

Pixels readPixels(gfx::FrameBufferHandle frameBuffer) {
    gfx::TextureHandle texture = gfx::getTexture(frameBuffer);
    Pixels pixels(gfx::textureInfo(texture).storageSize / 4);
    EXPECT_TRUE(gfx::readTexture(texture, pixels.data()));
    return pixels;
}

// A w x h quad from the origin, drawn as a triangle strip in the view's units.
void submitQuad(gfx::ViewId view, gfx::ProgramHandle program, float w, float h, uint32_t abgr,
                const gfx::DrawState& state = gfx::DrawState().with(gfx::Primitive::TriangleStrip)) {
    gfx::TransientVertexBuffer buffer;
    ASSERT_TRUE(gfx::allocTransientVertexBuffer(&buffer, 4, PosColorVertex::layout));
    PosColorVertex* v = buffer.vertices<PosColorVertex>();
    v[0] = {0, 0, 0, abgr};
    v[1] = {0, h, 0, abgr};
    v[2] = {w, 0, 0, abgr};
    v[3] = {w, h, 0, abgr};
    gfx::setVertexBuffer(buffer);
    gfx::setState(state);
    gfx::submit(view, program);
}

glm::mat4 pixelProjection(float w, float h) { return gfx::ortho(0, w, 0, h, -1, 100, gfx::caps().homogeneousDepth); }

}  // namespace

TEST_F(GlTest, TwoViewsClearingOneTargetLeaveTheHigherViewsColour) {
    gfx::FrameBufferHandle target = gfx::createFrameBuffer(8, 8, gfx::TextureFormat::RGBA8, gfx::Sampler::Point);
    for (gfx::ViewId view : {5, 6}) {
        gfx::setViewFrameBuffer(view, target);
        gfx::setViewRect(view, 0, 0, 8, 8);
    }
    gfx::setViewClear(6, gfx::Clear::Colour, 0x00ff00ff);  // green, touched first
    gfx::setViewClear(5, gfx::Clear::Colour, 0xff0000ff);  // red
    gfx::touch(6);
    gfx::touch(5);
    gfx::frame();
    EXPECT_THAT(readPixels(target), Each(0xff00ff00u));  // RGBA bytes 00 ff 00 ff

    gfx::setViewClear(6, gfx::Clear::None);
    gfx::touch(5);
    gfx::touch(6);
    gfx::frame();
    EXPECT_THAT(readPixels(target), Each(0xff0000ffu));
}

TEST_F(GlTest, AViewClearsAndDrawsOnlyInsideItsRectangle) {
    gfx::ProgramHandle program = colourProgram();
    ASSERT_TRUE(program.valid());
    gfx::FrameBufferHandle target = gfx::createFrameBuffer(4, 4, gfx::TextureFormat::RGBA8, gfx::Sampler::Point);
    gfx::setViewFrameBuffer(0, target);
    gfx::setViewClear(0, gfx::Clear::Colour, 0x000000ff);
    gfx::touch(0);
    // Top-left 2 x 2 of the target, which is the top rows of a bottom-up texture.
    gfx::setViewFrameBuffer(1, target);
    gfx::setViewRect(1, 0, 0, 2, 2);
    gfx::setViewTransform(1, pixelProjection(1, 1));
    submitQuad(1, program, 1, 1, 0xffffffff);
    gfx::frame();

    const uint32_t k = 0xff000000, w = 0xffffffff;
    EXPECT_THAT(readPixels(target), ElementsAre(k, k, k, k,  //
                                                k, k, k, k,  //
                                                w, w, k, k,  //
                                                w, w, k, k));
}

TEST_F(GlTest, ABgraFrameBufferRenderedInOneViewIsSampledInALaterOne) {
    gfx::ProgramHandle colour = colourProgram();
    gfx::ProgramHandle textured = gfx::createProgram(kTexturedQuadVs, TextureFs, "texture");
    ASSERT_TRUE(colour.valid() && textured.valid());
    gfx::UniformHandle sampler = gfx::createUniform("s_texColor", gfx::UniformType::Sampler);
    gfx::UniformHandle tint = gfx::createUniform("u_tint", gfx::UniformType::Vec4);
    gfx::FrameBufferHandle scene = gfx::createFrameBuffer(4, 4, gfx::TextureFormat::BGRA8, gfx::Sampler::Point);
    gfx::FrameBufferHandle result = gfx::createFrameBuffer(4, 4, gfx::TextureFormat::RGBA8, gfx::Sampler::Point);

    // Submitted first, runs second: copy the scene through a half tint.
    gfx::setViewFrameBuffer(3, result);
    gfx::setViewTransform(3, pixelProjection(1, 1));
    gfx::TransientVertexBuffer buffer;
    ASSERT_TRUE(gfx::allocTransientVertexBuffer(&buffer, 4, PosTexCoordVertex::layout));
    PosTexCoordVertex* v = buffer.vertices<PosTexCoordVertex>();
    v[0] = {0, 0, 0, 0, 0};
    v[1] = {0, 1, 0, 0, 1};
    v[2] = {1, 0, 0, 1, 0};
    v[3] = {1, 1, 0, 1, 1};
    const float half[4] = {1.0f, 0.5f, 1.0f, 1.0f};
    gfx::setUniform(tint, half);
    gfx::setVertexBuffer(buffer);
    gfx::setTexture(0, sampler, gfx::getTexture(scene));
    gfx::setState(gfx::DrawState().with(gfx::Primitive::TriangleStrip));
    gfx::submit(3, textured);

    gfx::setViewFrameBuffer(2, scene);
    gfx::setViewTransform(2, pixelProjection(1, 1));
    submitQuad(2, colour, 1, 1, 0xff20c040);  // R 0x40, G 0xc0, B 0x20
    gfx::frame();

    std::vector<uint8_t> bgra(4 * 4 * 4);
    ASSERT_TRUE(gfx::readTexture(gfx::getTexture(scene), bgra.data()));
    EXPECT_THAT(std::vector<uint8_t>(bgra.begin(), bgra.begin() + 4), ElementsAre(0x20, 0xc0, 0x40, 0xff));
    EXPECT_THAT(readPixels(result), Each(0xff206040u));  // green halved: 0xc0 -> 0x60
}

TEST_F(GlTest, BlendEquationsAddColourAndKeepTheLargerAlpha) {
    gfx::ProgramHandle program = colourProgram();
    gfx::FrameBufferHandle target = gfx::createFrameBuffer(2, 2, gfx::TextureFormat::RGBA8, gfx::Sampler::Point);
    gfx::setViewFrameBuffer(0, target);
    gfx::setViewClear(0, gfx::Clear::Colour, 0x10101080);
    gfx::setViewTransform(0, pixelProjection(1, 1));
    gfx::DrawState additive = gfx::DrawState()
                                  .with(gfx::Primitive::TriangleStrip)
                                  .blend(gfx::BlendFactor::One, gfx::BlendFactor::One)
                                  .equations(gfx::BlendEquation::Add, gfx::BlendEquation::Max);
    submitQuad(0, program, 1, 1, 0x40203010, additive);
    gfx::frame();
    EXPECT_THAT(readPixels(target), Each(0x80304020u));  // R 0x20, G 0x40, B 0x30, A max(0x80, 0x40)
}

TEST_F(GlTest, WriteMaskKeepsAlphaUntouched) {
    gfx::ProgramHandle program = colourProgram();
    gfx::FrameBufferHandle target = gfx::createFrameBuffer(2, 2, gfx::TextureFormat::RGBA8, gfx::Sampler::Point);
    gfx::setViewFrameBuffer(0, target);
    gfx::setViewClear(0, gfx::Clear::Colour, 0x00000033);
    gfx::setViewTransform(0, pixelProjection(1, 1));
    submitQuad(0, program, 1, 1, 0xffffffff,
               gfx::DrawState().with(gfx::Primitive::TriangleStrip).writeMask(true, false));
    gfx::frame();
    EXPECT_THAT(readPixels(target), Each(0x33ffffffu));
}

TEST_F(GlTest, EveryTextureFormatReadsBackWhatWasUploaded) {
    const gfx::TextureFormat formats[] = {gfx::TextureFormat::R8, gfx::TextureFormat::RG8, gfx::TextureFormat::RGB8,
                                          gfx::TextureFormat::RGBA8, gfx::TextureFormat::BGRA8};
    for (gfx::TextureFormat format : formats) {
        uint32_t bytes = gfx::calcTextureSize(3, 2, 1, format).storageSize;
        std::vector<uint8_t> texels(bytes);
        for (uint32_t i = 0; i < bytes; ++i) {
            texels[i] = uint8_t(i * 7 + 1);
        }
        gfx::TextureHandle texture = gfx::createTexture2D(3, 2, format, gfx::Sampler::Default, texels.data());
        std::vector<uint8_t> back(bytes);
        ASSERT_TRUE(gfx::readTexture(texture, back.data()));
        EXPECT_EQ(back, texels) << "format " << int(format);
    }
}

TEST_F(GlTest, ThreeDimensionalTexturesUpdateAndReadBack) {
    gfx::TextureHandle texture = gfx::createTexture3D(4, 4, 4, gfx::TextureFormat::RGBA8, gfx::Sampler::Clamp);
    std::vector<uint32_t> zeros(64, 0);
    ASSERT_TRUE(gfx::updateTexture3D(texture, 0, 0, 0, 4, 4, 4, zeros.data()));
    const uint32_t cell[2] = {0x11223344, 0x55667788};
    ASSERT_TRUE(gfx::updateTexture3D(texture, 1, 2, 3, 1, 1, 2, cell) == false);  // z 3 + 2 leaves the box
    ASSERT_TRUE(gfx::updateTexture3D(texture, 1, 2, 2, 1, 1, 2, cell));
    std::vector<uint32_t> back(64);
    ASSERT_TRUE(gfx::readTexture(texture, back.data()));
    EXPECT_EQ(back[2 * 16 + 2 * 4 + 1], cell[0]);
    EXPECT_EQ(back[3 * 16 + 2 * 4 + 1], cell[1]);
    EXPECT_EQ(back[0], 0u);
}

TEST_F(GlTest, ABrokenShaderIsRefusedWithItsLog) {
    testing::internal::CaptureStderr();
    gfx::ProgramHandle program =
        gfx::createProgram("#version 330 core\nvoid main() { nonsense; }\n", fileText("data/vtx-color.fs.bin"),
                           "data/broken.vs.bin");
    std::string log = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(program.valid());
    EXPECT_THAT(log, HasSubstr("data/broken.vs.bin"));
    EXPECT_THAT(log, HasSubstr("nonsense"));
}
