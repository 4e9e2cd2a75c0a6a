#include "engine/vg/DrawListRenderer.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "engine/gfx/Gfx.h"
#include "engine/gfx/Projection.h"
#include "engine/vg/FontAtlas.h"

namespace vg {

namespace {

// The shaders belong to this layer rather than to the game's data: the overlay draws the same
// way in every program that uses it.
const char* const VertexSource = R"(#version 330 core
in vec2 a_position;
in vec2 a_texcoord0;
in vec4 a_color0;
uniform mat4 u_modelViewProj;
out vec2 v_texcoord0;
out vec4 v_color0;
void main()
{
    gl_Position = u_modelViewProj * vec4(a_position, 0.0, 1.0);
    v_texcoord0 = a_texcoord0;
    v_color0 = a_color0;
}
)";

// The atlas holds coverage only; shapes sample its white texel.
const char* const FragmentSource = R"(#version 330 core
in vec2 v_texcoord0;
in vec4 v_color0;
uniform sampler2D s_texColor;
out vec4 fragColour;
void main()
{
    fragColour = vec4(v_color0.rgb, v_color0.a * texture(s_texColor, v_texcoord0).r);
}
)";

constexpr gfx::VertexLayout kDrawVertLayout = gfx::VertexLayout()
                                                  .add(gfx::Attrib::Position, 2, gfx::AttribType::Float)
                                                  .add(gfx::Attrib::TexCoord0, 2, gfx::AttribType::Float)
                                                  .add(gfx::Attrib::Color0, 4, gfx::AttribType::Uint8, true);
static_assert(sizeof(ImDrawVert) == kDrawVertLayout.stride(), "the layout reads Dear ImGui's vertices as they are");
static_assert(sizeof(ImDrawIdx) == sizeof(uint16_t), "the renderer takes 16-bit indices");

constexpr gfx::DrawState kBlended = gfx::DrawState().blend(gfx::BlendFactor::SrcAlpha, gfx::BlendFactor::InvSrcAlpha,
                                                           gfx::BlendFactor::One, gfx::BlendFactor::InvSrcAlpha);

uint16_t toPixels(float units, float ratio) { return uint16_t(std::lround(std::max(0.0f, units * ratio))); }

}  // namespace

DrawListRenderer::DrawListRenderer(gfx::ViewId view)
    : m_view(view),
      m_program(gfx::createProgram(VertexSource, FragmentSource, "vg")),
      m_sampler(gfx::createUniform("s_texColor", gfx::UniformType::Sampler)) {}

DrawListRenderer::~DrawListRenderer() {
    gfx::destroy(m_texture);
    gfx::destroy(m_sampler);
    gfx::destroy(m_program);
}

bool DrawListRenderer::submit(const ImDrawList& list, FontAtlas& atlas, float width, float height, float pixelRatio) {
    gfx::setViewRect(m_view, 0, 0, toPixels(width, pixelRatio), toPixels(height, pixelRatio));
    gfx::setViewTransform(m_view, gfx::ortho(0, width, height, 0, -1, 1, gfx::caps().homogeneousDepth));
    uint32_t numVertices = uint32_t(list.VtxBuffer.Size);
    uint32_t numIndices = uint32_t(list.IdxBuffer.Size);
    if (numIndices == 0) {
        return true;
    }
    gfx::TransientVertexBuffer vertices;
    gfx::TransientIndexBuffer indices;
    if (!gfx::allocTransientBuffers(&vertices, kDrawVertLayout, numVertices, &indices, numIndices)) {
        return false;
    }
    std::memcpy(vertices.data, list.VtxBuffer.Data, numVertices * sizeof(ImDrawVert));
    std::memcpy(indices.data, list.IdxBuffer.Data, numIndices * sizeof(ImDrawIdx));
    uploadAtlas(atlas);
    for (const ImDrawCmd& cmd : list.CmdBuffer) {
        if (cmd.ElemCount == 0) {
            continue;
        }
        gfx::setState(kBlended);
        // Past 64K vertices the list restarts its indices from a vertex offset.
        gfx::setVertexBuffer(vertices, cmd.VtxOffset, numVertices - cmd.VtxOffset);
        gfx::setIndexBuffer(indices, cmd.IdxOffset, cmd.ElemCount);
        gfx::setTexture(0, m_sampler, m_texture);
        gfx::submit(m_view, m_program);
    }
    return true;
}

void DrawListRenderer::uploadAtlas(FontAtlas& atlas) {
    if (m_texture.valid() && m_textureVersion == atlas.version()) {
        return;
    }
    const unsigned char* pixels = nullptr;
    int width = 0, height = 0;
    atlas.texture(&pixels, &width, &height);
    gfx::destroy(m_texture);
    m_texture =
        gfx::createTexture2D(uint16_t(width), uint16_t(height), gfx::TextureFormat::R8, gfx::Sampler::Clamp, pixels);
    m_textureVersion = atlas.version();
}

}  // namespace vg
