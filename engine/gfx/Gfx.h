#pragma once

// The renderer layer: everything the program draws goes through these calls.
//
// Frame model, for newcomers
// --------------------------
// Drawing is recorded, not executed. During a frame the program sets per-draw state
// (setState, setVertexBuffer, setIndexBuffer, setTexture, setScissor) and calls submit(view,
// program); submit records one draw with that state and clears the per-draw bindings, ready for
// the next draw. Nothing reaches the GPU until frame(), which runs the views in ascending id
// (0 first, 255 last) and, inside each view, its draws in the order they were submitted. So the
// id decides the order of passes, not the order of the calls: a view 1 submitted after view 2
// still runs first.
//
// Views carry persistent state: clear flags and colour, rectangle, view/projection matrices and
// the target frame buffer stay as set, frame after frame, until changed. A view runs in a frame
// when it has at least one draw or was touched (touch); only then is it cleared.
//
// Uniform values set with setUniform persist until set again; each draw keeps the values that
// stood when it was submitted. Resource calls (create, update, read, destroy) act at once:
// an update made after a draw was submitted is already visible when that draw runs at frame().
//
// Transient vertex and index buffers live for one frame. Ask availableTransientVertices /
// availableTransientIndices how many fit before allocating; an allocation that does not fit
// fails and hands out nothing, so running out is the caller's to handle and never overruns a
// buffer.
//
// Two back ends sit behind this one API: OpenGL 3.3 core on the current GLFW context, and a
// recording back end (engine/gfx/Recording.h) that keeps every frame for tests to inspect
// without a GPU. Coordinates of view rectangles and scissors are pixels from the top-left
// corner of the target; clip space and render-target textures have their origin bottom-left
// (see caps()).

#include <cstddef>
#include <cstdint>
#include <glm/mat4x4.hpp>
#include <string>
#include <vector>

#include "engine/gfx/DrawState.h"
#include "engine/gfx/Frame.h"
#include "engine/gfx/Handles.h"
#include "engine/gfx/Texture.h"
#include "engine/gfx/VertexLayout.h"

struct GLFWwindow;

namespace gfx {

enum class Backend : uint8_t { OpenGL, Recording };

struct Init {
    Backend backend = Backend::OpenGL;
    GLFWwindow* window = nullptr;  // OpenGL: its context must be current; frame() swaps its buffers
    uint16_t width = 640;          // back buffer size
    uint16_t height = 480;
    bool vsync = false;
    uint32_t transientVertexBytes = 6u << 20;
    uint32_t transientIndexCount = 1u << 20;
    // The recording back end's answer to textureFormatSupported for block-compressed formats
    // (the OpenGL one asks the context).
    bool recordBlockCompression = true;
};

// Facts about the renderer that drawing code needs; they hold before init().
struct Caps {
    bool originBottomLeft;  // render-target textures have row 0 at the bottom
    bool homogeneousDepth;  // clip-space depth runs from -1 to 1
    bool halfTexel;         // texel centres are offset by half a texel
};
constexpr Caps caps() { return Caps{true, true, false}; }

// False when the back end cannot start (OpenGL: no current 3.3 context).
bool init(const Init& init);
// Releases every resource; with OpenGL, call it while the context is still current.
void shutdown();
void reset(uint16_t width, uint16_t height, bool vsync);

// Runs the frame's views and presents it; returns how many frames have run so far.
uint32_t frame();

// --- Views (ids at or above kMaxViews are ignored) ---
void setViewClear(ViewId view, uint16_t clearFlags, uint32_t rgba = 0x000000ff, float depth = 1.0f,
                  uint8_t stencil = 0);
void setViewRect(ViewId view, uint16_t x, uint16_t y, uint16_t width, uint16_t height);
void setViewTransform(ViewId view, const glm::mat4& proj, const glm::mat4& viewMatrix = glm::mat4(1.0f));
void setViewFrameBuffer(ViewId view, FrameBufferHandle frameBuffer);
void touch(ViewId view);
// Views without a frame buffer of their own draw into this one instead of the window's back
// buffer, from the next frame() on: the whole picture of a frame, for screenshots and tests,
// whatever views made it. An invalid handle gives the window back.
void setWindowTarget(FrameBufferHandle frameBuffer);

// --- Timing: with view timing on, the OpenGL back end waits for each view to finish and keeps
// how long it took (a software renderer's real cost of each pass; it slows the frame). ---
struct ViewTime {
    ViewId view = 0;
    double ms = 0.0;
};
void setViewTiming(bool on);
// The views of the last frame run with timing on, in the order they ran; the first includes
// the upload of the frame's transient buffers. Empty on the recording back end.
const std::vector<ViewTime>& viewTimes();

// --- Programs: GLSL 3.30 core sources; a_position, a_texcoord0, a_color0; the view's
// projection times view matrix arrives as u_modelViewProj. A compile or link failure writes the
// GLSL log, headed by `name`, to standard error and returns an invalid handle. ---
ProgramHandle createProgram(const std::string& vertexSource, const std::string& fragmentSource,
                            const std::string& name);
void destroy(ProgramHandle program);

// --- Uniforms: by name; creating a name that exists returns the same handle and counts the
// reference, so two owners of "s_texColor" each destroy their own. ---
enum class UniformType : uint8_t { Vec4, Sampler };
UniformHandle createUniform(const std::string& name, UniformType type, uint16_t count = 1);
void destroy(UniformHandle uniform);
// count vec4s (4 floats each), at most the count the uniform was created with.
void setUniform(UniformHandle uniform, const float* values, uint16_t count = 1);

// --- Textures: data is laid out as Texture.h's "Layout" says (for one image: tightly packed
// rows, row 0 first), or null for undefined contents. ---
// Invalid handle when the description cannot be made: a side, layer or mip count of 0, more mip
// levels than the largest side halves to, a cube map with unequal sides, a flat texture or cube
// map with depth, a volume in layers or block-compressed, more than 4 GiB of texels, a format
// the context does not support; or when size is not the texture's storageSize.
TextureHandle createTexture(const TextureDesc& desc, const void* data, size_t size);
// A flat texture or volume, in one layer without mip levels.
TextureHandle createTexture2D(uint16_t width, uint16_t height, TextureFormat format, SamplerFlags flags,
                              const void* data = nullptr);
TextureHandle createTexture3D(uint16_t width, uint16_t height, uint16_t depth, TextureFormat format, SamplerFlags flags,
                              const void* data = nullptr);
// Whether textures in this format can be made: block-compressed ones need the context's support.
// False before init().
bool textureFormatSupported(TextureFormat format);
// Updates act on mip level 0 of a flat texture in one layer (2D) or of a volume (3D), never on a
// block-compressed one. pitch: bytes from one source row to the next, 0 for tightly packed.
// False, with nothing written, when the rectangle leaves the texture.
bool updateTexture2D(TextureHandle texture, uint16_t x, uint16_t y, uint16_t width, uint16_t height, const void* data,
                     uint32_t pitch = 0);
bool updateTexture3D(TextureHandle texture, uint16_t x, uint16_t y, uint16_t z, uint16_t width, uint16_t height,
                     uint16_t depth, const void* data);
// Copies the whole texture, as it is now, into dest (TextureInfo::storageSize bytes, laid out as
// for createTexture; block-compressed texels stay compressed).
bool readTexture(TextureHandle texture, void* dest);
TextureInfo textureInfo(TextureHandle texture);
void destroy(TextureHandle texture);

// --- Frame buffers: one colour texture each. ---
FrameBufferHandle createFrameBuffer(uint16_t width, uint16_t height, TextureFormat format, SamplerFlags flags);
// Over an existing flat texture in one layer without mip levels, not block-compressed;
// destroyTexture says whether destroying the frame buffer takes the texture with it.
FrameBufferHandle createFrameBuffer(TextureHandle texture, bool destroyTexture);
TextureHandle getTexture(FrameBufferHandle frameBuffer);
void destroy(FrameBufferHandle frameBuffer);

// --- Transient buffers (one frame) ---
struct TransientVertexBuffer {
    uint8_t* data = nullptr;
    uint32_t size = 0;  // bytes
    uint32_t startVertex = 0;
    VertexLayout layout;

    template <typename Vertex>
    Vertex* vertices() const {
        return reinterpret_cast<Vertex*>(data);
    }
};

struct TransientIndexBuffer {
    uint16_t* data = nullptr;
    uint32_t size = 0;  // indices
    uint32_t startIndex = 0;
};

// How many of `wanted` vertices (indices) the frame can still hand out.
uint32_t availableTransientVertices(uint32_t wanted, const VertexLayout& layout);
uint32_t availableTransientIndices(uint32_t wanted);
// All or nothing: false leaves the buffer empty.
bool allocTransientVertexBuffer(TransientVertexBuffer* buffer, uint32_t numVertices, const VertexLayout& layout);
bool allocTransientIndexBuffer(TransientIndexBuffer* buffer, uint32_t numIndices);
bool allocTransientBuffers(TransientVertexBuffer* vertices, const VertexLayout& layout, uint32_t numVertices,
                           TransientIndexBuffer* indices, uint32_t numIndices);

// --- Dynamic vertex buffers: fixed capacity, contents kept across frames. ---
DynamicVertexBufferHandle createDynamicVertexBuffer(uint32_t numVertices, const VertexLayout& layout);
// False, with nothing written, when the vertices would run past the capacity.
bool updateDynamicVertexBuffer(DynamicVertexBufferHandle buffer, uint32_t startVertex, const void* data,
                               uint32_t numVertices);
void destroy(DynamicVertexBufferHandle buffer);

// --- Per-draw bindings, consumed by submit() or dropped by discard() ---
void setState(const DrawState& state);
void setVertexBuffer(const TransientVertexBuffer& buffer);
void setVertexBuffer(const TransientVertexBuffer& buffer, uint32_t firstVertex, uint32_t numVertices);
void setVertexBuffer(DynamicVertexBufferHandle buffer, uint32_t firstVertex, uint32_t numVertices);
void setIndexBuffer(const TransientIndexBuffer& buffer);
void setIndexBuffer(const TransientIndexBuffer& buffer, uint32_t firstIndex, uint32_t numIndices);
void setTexture(uint8_t stage, UniformHandle sampler, TextureHandle texture, SamplerFlags flags = Sampler::FromTexture);
void setScissor(uint16_t x, uint16_t y, uint16_t width, uint16_t height);
void submit(ViewId view, ProgramHandle program);
void discard();

}  // namespace gfx
