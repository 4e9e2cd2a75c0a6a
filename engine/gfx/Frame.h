#pragma once

// What one frame hands to a back end: every view that runs, in ascending id, with its draws
// in submission order. The recording back end keeps the last one for tests to inspect.

#include <array>
#include <cstdint>
#include <glm/mat4x4.hpp>
#include <vector>

#include "engine/gfx/DrawState.h"
#include "engine/gfx/Handles.h"
#include "engine/gfx/Texture.h"
#include "engine/gfx/VertexLayout.h"

namespace gfx {

constexpr int kMaxTextureStages = 8;

namespace Clear {
constexpr uint16_t None = 0;
constexpr uint16_t Colour = 1u << 0;
constexpr uint16_t Depth = 1u << 1;
constexpr uint16_t Stencil = 1u << 2;
}  // namespace Clear

// Pixels measured from the top-left corner of the target. A zero width or height means the
// whole target.
struct Rect {
    uint16_t x = 0;
    uint16_t y = 0;
    uint16_t width = 0;
    uint16_t height = 0;

    bool empty() const { return width == 0 || height == 0; }
    friend bool operator==(const Rect& a, const Rect& b) {
        return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
    }
};

struct ViewState {
    uint16_t clearFlags = Clear::None;
    uint32_t clearRgba = 0x000000ff;  // 0xRRGGBBAA, unlike vertex colours
    float clearDepth = 1.0f;
    uint8_t clearStencil = 0;
    Rect rect;
    glm::mat4 view{1.0f};
    glm::mat4 proj{1.0f};
    FrameBufferHandle frameBuffer;  // invalid: the window's back buffer
};

enum class VertexSource : uint8_t { None, Transient, Dynamic };

struct TextureBinding {
    UniformHandle sampler;
    TextureHandle texture;  // invalid: nothing bound on this stage
    SamplerFlags flags = Sampler::FromTexture;
};

// One uniform's value as it stood when a draw was submitted; floats in FrameData::uniformFloats.
struct UniformValue {
    UniformHandle uniform;
    uint16_t count = 0;  // vec4s
    uint32_t firstFloat = 0;
};

struct Draw {
    ViewId view = 0;
    ProgramHandle program;
    DrawState state;
    VertexSource vertexSource = VertexSource::None;
    DynamicVertexBufferHandle dynamicBuffer;
    VertexLayout layout;
    uint32_t startVertex = 0;  // in the frame's transient buffer or the dynamic buffer
    uint32_t numVertices = 0;
    bool indexed = false;
    uint32_t startIndex = 0;  // in the frame's transient index buffer
    uint32_t numIndices = 0;
    std::array<TextureBinding, kMaxTextureStages> textures{};
    Rect scissor;  // empty: no scissor
    uint32_t firstUniform = 0;
    uint32_t numUniforms = 0;
};

struct ViewPass {
    ViewId id = 0;
    ViewState state;
    uint32_t firstDraw = 0;  // into FrameData::draws
    uint32_t numDraws = 0;
};

struct FrameData {
    uint32_t number = 0;  // counts from 0; frame() returns number + 1 after running it
    std::vector<ViewPass> passes;
    std::vector<Draw> draws;
    std::vector<uint8_t> transientVertices;  // the first transientVertexBytes are in use
    uint32_t transientVertexBytes = 0;
    std::vector<uint16_t> transientIndices;  // the first transientIndexCount are in use
    uint32_t transientIndexCount = 0;
    std::vector<UniformValue> uniformValues;
    std::vector<float> uniformFloats;
};

}  // namespace gfx
