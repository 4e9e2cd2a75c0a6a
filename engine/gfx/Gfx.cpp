#include "engine/gfx/Gfx.h"

#include <algorithm>
#include <bitset>
#include <cstring>
#include <memory>

#include "engine/gfx/Backend.h"
#include "engine/gfx/HandlePool.h"

namespace gfx {
namespace {

struct UniformEntry {
    std::string name;
    UniformType type = UniformType::Vec4;
    uint16_t count = 1;
    int references = 0;
    bool hasValue = false;
    std::vector<float> value;
};

struct FrameBufferEntry {
    TextureHandle texture;
    bool ownsTexture = false;
};

struct DynamicBufferEntry {
    uint32_t numVertices = 0;
    VertexLayout layout;
};

enum class ResourceKind : uint8_t { Program, Uniform, Texture, FrameBuffer, DynamicBuffer };

struct Context {
    std::unique_ptr<BackendImpl> backend;
    // Destroyed resources stay in the back end until the frame that may still draw with them
    // has run.
    std::vector<std::pair<ResourceKind, uint16_t>> doomed;

    HandlePool programs;
    HandlePool uniforms;
    HandlePool textures;
    HandlePool frameBuffers;
    HandlePool dynamicBuffers;
    std::vector<UniformEntry> uniformEntries;
    std::vector<TextureDesc> textureDescs;
    std::vector<FrameBufferEntry> frameBufferEntries;
    std::vector<DynamicBufferEntry> dynamicBufferEntries;

    std::array<ViewState, kMaxViews> views{};
    std::bitset<kMaxViews> touched;
    FrameBufferHandle windowTarget;  // invalid: views without a frame buffer draw on the window

    FrameData frame;
    std::vector<Draw> submitted;  // in submission order until frame() sorts them by view
    Draw pending;
    bool uniformsChanged = true;
    uint32_t lastUniformFirst = 0;
    uint32_t lastUniformCount = 0;
};

std::unique_ptr<Context> ctx;

bool validView(ViewId view) { return ctx && view < kMaxViews; }

bool alive(HandlePool Context::*pool, uint16_t idx) { return ctx && ((*ctx).*pool).alive(idx); }

void resetPending() { ctx->pending = Draw(); }

// The uniform values a draw keeps: every uniform that has a value, copied again only when one
// of them changed since the previous draw.
void snapshotUniforms(Draw& draw) {
    FrameData& frame = ctx->frame;
    if (ctx->uniformsChanged) {
        ctx->lastUniformFirst = static_cast<uint32_t>(frame.uniformValues.size());
        for (uint16_t idx = 0; idx < ctx->uniformEntries.size(); ++idx) {
            const UniformEntry& entry = ctx->uniformEntries[idx];
            if (!ctx->uniforms.alive(idx) || !entry.hasValue) {
                continue;
            }
            UniformValue value;
            value.uniform.idx = idx;
            value.count = entry.count;
            value.firstFloat = static_cast<uint32_t>(frame.uniformFloats.size());
            frame.uniformFloats.insert(frame.uniformFloats.end(), entry.value.begin(), entry.value.end());
            frame.uniformValues.push_back(value);
        }
        ctx->lastUniformCount = static_cast<uint32_t>(frame.uniformValues.size()) - ctx->lastUniformFirst;
        ctx->uniformsChanged = false;
    }
    draw.firstUniform = ctx->lastUniformFirst;
    draw.numUniforms = ctx->lastUniformCount;
}

// Orders the frame's draws by view, keeping submission order within a view, and lists the
// views that run.
void buildPasses() {
    FrameData& frame = ctx->frame;
    std::array<uint32_t, kMaxViews + 1> start{};
    for (const Draw& draw : ctx->submitted) {
        ++start[draw.view + 1u];
    }
    for (int v = 0; v < kMaxViews; ++v) {
        start[v + 1] += start[v];
    }
    frame.draws.resize(ctx->submitted.size());
    std::array<uint32_t, kMaxViews> next{};
    std::copy(start.begin(), start.end() - 1, next.begin());
    for (const Draw& draw : ctx->submitted) {
        frame.draws[next[draw.view]++] = draw;
    }
    frame.passes.clear();
    for (ViewId v = 0; v < kMaxViews; ++v) {
        uint32_t count = start[v + 1u] - start[v];
        if (count == 0 && !ctx->touched[v]) {
            continue;
        }
        ViewPass pass;
        pass.id = v;
        pass.state = ctx->views[v];
        if (!pass.state.frameBuffer.valid() && ctx->frameBuffers.alive(ctx->windowTarget.idx)) {
            pass.state.frameBuffer = ctx->windowTarget;
        }
        pass.firstDraw = start[v];
        pass.numDraws = count;
        frame.passes.push_back(pass);
    }
}

void destroyDoomed() {
    BackendImpl& backend = *ctx->backend;
    for (auto [kind, idx] : ctx->doomed) {
        switch (kind) {
            case ResourceKind::Program:
                backend.destroyProgram(idx);
                break;
            case ResourceKind::Uniform:
                backend.destroyUniform(idx);
                break;
            case ResourceKind::Texture:
                backend.destroyTexture(idx);
                break;
            case ResourceKind::FrameBuffer:
                backend.destroyFrameBuffer(idx);
                break;
            case ResourceKind::DynamicBuffer:
                backend.destroyDynamicVertexBuffer(idx);
                break;
        }
    }
    ctx->doomed.clear();
    for (HandlePool* pool :
         {&ctx->programs, &ctx->uniforms, &ctx->textures, &ctx->frameBuffers, &ctx->dynamicBuffers}) {
        pool->recycle();
    }
}

void beginNextFrame() {
    FrameData& frame = ctx->frame;
    ++frame.number;
    frame.transientVertexBytes = 0;
    frame.transientIndexCount = 0;
    frame.uniformValues.clear();
    frame.uniformFloats.clear();
    ctx->submitted.clear();
    ctx->touched.reset();
    ctx->uniformsChanged = true;
    resetPending();
}

uint32_t alignUp(uint32_t value, uint32_t alignment) { return (value + alignment - 1) / alignment * alignment; }

bool makeable(const TextureDesc& desc) {
    if (desc.width == 0 || desc.height == 0 || desc.depth == 0 || desc.numLayers == 0 || desc.numMips == 0 ||
        desc.numMips > fullMipCount(desc.width, desc.height, desc.depth)) {
        return false;
    }
    switch (desc.kind) {
        case TextureKind::Flat:
            if (desc.depth != 1) return false;
            break;
        case TextureKind::Cube:
            if (desc.depth != 1 || desc.width != desc.height) return false;
            break;
        case TextureKind::Volume:
            if (desc.numLayers != 1 || isBlockCompressed(desc.format)) return false;
            break;
    }
    return storageSize(desc) <= UINT32_MAX && textureFormatSupported(desc.format);
}

TextureHandle makeTexture(const TextureDesc& desc, const void* data) {
    TextureHandle handle;
    if (!ctx || !makeable(desc)) {
        return handle;
    }
    handle.idx = ctx->textures.alloc();
    if (!handle.valid()) {
        return handle;
    }
    if (!ctx->backend->createTexture(handle.idx, desc, data)) {
        ctx->textures.release(handle.idx);
        return TextureHandle();
    }
    slotFor(ctx->textureDescs, handle.idx) = desc;
    return handle;
}

// Level 0 of a flat texture in one layer or of a volume, in a format texels can be written in.
bool updatable(const TextureDesc& desc, TextureKind kind) {
    return desc.kind == kind && desc.numLayers == 1 && !isBlockCompressed(desc.format);
}

bool updateTexture(TextureHandle texture, const TexelBox& box, const void* data, uint32_t pitch) {
    if (!alive(&Context::textures, texture.idx) || data == nullptr) {
        return false;
    }
    const TextureDesc& desc = ctx->textureDescs[texture.idx];
    bool inside = box.width > 0 && box.height > 0 && box.depth > 0 && uint32_t(box.x) + box.width <= desc.width &&
                  uint32_t(box.y) + box.height <= desc.height && uint32_t(box.z) + box.depth <= desc.depth;
    uint32_t rowBytes = uint32_t(rowSize(desc.format, box.width));
    if (!inside || (pitch != 0 && pitch < rowBytes)) {
        return false;
    }
    ctx->backend->updateTexture(texture.idx, box, data, pitch == 0 ? rowBytes : pitch);
    return true;
}

}  // namespace

bool init(const Init& init) {
    if (ctx) {
        return false;
    }
    auto context = std::make_unique<Context>();
    context->backend = init.backend == Backend::OpenGL ? makeGlBackend() : makeRecordingBackend();
    if (!context->backend->init(init)) {
        return false;
    }
    context->frame.transientVertices.resize(init.transientVertexBytes);
    context->frame.transientIndices.resize(init.transientIndexCount);
    ctx = std::move(context);
    return true;
}

void shutdown() { ctx.reset(); }

void reset(uint16_t width, uint16_t height, bool vsync) {
    if (ctx) {
        ctx->backend->reset(width, height, vsync);
    }
}

uint32_t frame() {
    if (!ctx) {
        return 0;
    }
    buildPasses();
    ctx->backend->execute(ctx->frame);
    destroyDoomed();
    beginNextFrame();
    return ctx->frame.number;
}

// --- Views ---

void setViewClear(ViewId view, uint16_t clearFlags, uint32_t rgba, float depth, uint8_t stencil) {
    if (!validView(view)) {
        return;
    }
    ViewState& state = ctx->views[view];
    state.clearFlags = clearFlags;
    state.clearRgba = rgba;
    state.clearDepth = depth;
    state.clearStencil = stencil;
}

void setViewRect(ViewId view, uint16_t x, uint16_t y, uint16_t width, uint16_t height) {
    if (validView(view)) {
        ctx->views[view].rect = Rect{x, y, width, height};
    }
}

void setViewTransform(ViewId view, const glm::mat4& proj, const glm::mat4& viewMatrix) {
    if (validView(view)) {
        ctx->views[view].proj = proj;
        ctx->views[view].view = viewMatrix;
    }
}

void setViewFrameBuffer(ViewId view, FrameBufferHandle frameBuffer) {
    if (validView(view)) {
        ctx->views[view].frameBuffer = frameBuffer;
    }
}

void setWindowTarget(FrameBufferHandle frameBuffer) {
    if (ctx) {
        ctx->windowTarget = frameBuffer;
    }
}

void setViewTiming(bool on) {
    if (ctx) {
        ctx->backend->setViewTiming(on);
    }
}

const std::vector<ViewTime>& viewTimes() {
    static const std::vector<ViewTime> s_none;
    return ctx ? ctx->backend->viewTimes() : s_none;
}

void touch(ViewId view) {
    if (validView(view)) {
        ctx->touched.set(view);
    }
}

// --- Programs ---

ProgramHandle createProgram(const std::string& vertexSource, const std::string& fragmentSource,
                            const std::string& name) {
    ProgramHandle handle;
    if (!ctx) {
        return handle;
    }
    handle.idx = ctx->programs.alloc();
    if (handle.valid() && !ctx->backend->createProgram(handle.idx, vertexSource, fragmentSource, name)) {
        ctx->programs.release(handle.idx);
        handle = ProgramHandle();
    }
    return handle;
}

void destroy(ProgramHandle program) {
    if (alive(&Context::programs, program.idx)) {
        ctx->doomed.emplace_back(ResourceKind::Program, program.idx);
        ctx->programs.release(program.idx);
    }
}

// --- Uniforms ---

UniformHandle createUniform(const std::string& name, UniformType type, uint16_t count) {
    UniformHandle handle;
    if (!ctx || count == 0) {
        return handle;
    }
    for (uint16_t idx = 0; idx < ctx->uniformEntries.size(); ++idx) {
        UniformEntry& entry = ctx->uniformEntries[idx];
        if (ctx->uniforms.alive(idx) && entry.name == name) {
            ++entry.references;
            handle.idx = idx;
            return handle;
        }
    }
    handle.idx = ctx->uniforms.alloc();
    if (!handle.valid()) {
        return handle;
    }
    UniformEntry& entry = slotFor(ctx->uniformEntries, handle.idx);
    entry = UniformEntry();
    entry.name = name;
    entry.type = type;
    entry.count = count;
    entry.references = 1;
    ctx->backend->createUniform(handle.idx, name, type);
    return handle;
}

void destroy(UniformHandle uniform) {
    if (!alive(&Context::uniforms, uniform.idx)) {
        return;
    }
    UniformEntry& entry = ctx->uniformEntries[uniform.idx];
    if (--entry.references > 0) {
        return;
    }
    if (entry.hasValue) {
        ctx->uniformsChanged = true;
    }
    entry = UniformEntry();
    ctx->doomed.emplace_back(ResourceKind::Uniform, uniform.idx);
    ctx->uniforms.release(uniform.idx);
}

void setUniform(UniformHandle uniform, const float* values, uint16_t count) {
    if (!alive(&Context::uniforms, uniform.idx) || values == nullptr) {
        return;
    }
    UniformEntry& entry = ctx->uniformEntries[uniform.idx];
    if (entry.type != UniformType::Vec4) {
        return;
    }
    count = std::min(count, entry.count);
    entry.value.resize(size_t(entry.count) * 4, 0.0f);
    std::copy(values, values + size_t(count) * 4, entry.value.begin());
    entry.hasValue = true;
    ctx->uniformsChanged = true;
}

// --- Textures ---

TextureHandle createTexture(const TextureDesc& desc, const void* data, size_t size) {
    if (data != nullptr && size != storageSize(desc)) {
        return TextureHandle();
    }
    return makeTexture(desc, data);
}

TextureHandle createTexture2D(uint16_t width, uint16_t height, TextureFormat format, SamplerFlags flags,
                              const void* data) {
    TextureDesc desc;
    desc.width = width;
    desc.height = height;
    desc.format = format;
    desc.flags = flags;
    return makeTexture(desc, data);
}

TextureHandle createTexture3D(uint16_t width, uint16_t height, uint16_t depth, TextureFormat format, SamplerFlags flags,
                              const void* data) {
    TextureDesc desc;
    desc.kind = TextureKind::Volume;
    desc.width = width;
    desc.height = height;
    desc.depth = depth;
    desc.format = format;
    desc.flags = flags;
    return makeTexture(desc, data);
}

bool textureFormatSupported(TextureFormat format) {
    return ctx && (!isBlockCompressed(format) || ctx->backend->supportsBlockFormat(format));
}

bool updateTexture2D(TextureHandle texture, uint16_t x, uint16_t y, uint16_t width, uint16_t height, const void* data,
                     uint32_t pitch) {
    if (!alive(&Context::textures, texture.idx) || !updatable(ctx->textureDescs[texture.idx], TextureKind::Flat)) {
        return false;
    }
    return updateTexture(texture, TexelBox{x, y, 0, width, height, 1}, data, pitch);
}

bool updateTexture3D(TextureHandle texture, uint16_t x, uint16_t y, uint16_t z, uint16_t width, uint16_t height,
                     uint16_t depth, const void* data) {
    if (!alive(&Context::textures, texture.idx) || !updatable(ctx->textureDescs[texture.idx], TextureKind::Volume)) {
        return false;
    }
    return updateTexture(texture, TexelBox{x, y, z, width, height, depth}, data, 0);
}

bool readTexture(TextureHandle texture, void* dest) {
    if (!alive(&Context::textures, texture.idx) || dest == nullptr) {
        return false;
    }
    ctx->backend->readTexture(texture.idx, dest);
    return true;
}

TextureInfo textureInfo(TextureHandle texture) {
    if (!alive(&Context::textures, texture.idx)) {
        return TextureInfo();
    }
    return calcTextureSize(ctx->textureDescs[texture.idx]);
}

void destroy(TextureHandle texture) {
    if (alive(&Context::textures, texture.idx)) {
        ctx->doomed.emplace_back(ResourceKind::Texture, texture.idx);
        ctx->textures.release(texture.idx);
    }
}

// --- Frame buffers ---

FrameBufferHandle createFrameBuffer(uint16_t width, uint16_t height, TextureFormat format, SamplerFlags flags) {
    TextureHandle texture = createTexture2D(width, height, format, flags);
    FrameBufferHandle frameBuffer = createFrameBuffer(texture, true);
    if (!frameBuffer.valid()) {
        destroy(texture);
    }
    return frameBuffer;
}

FrameBufferHandle createFrameBuffer(TextureHandle texture, bool destroyTexture) {
    FrameBufferHandle handle;
    if (!alive(&Context::textures, texture.idx)) {
        return handle;
    }
    const TextureDesc& desc = ctx->textureDescs[texture.idx];
    if (!updatable(desc, TextureKind::Flat) || desc.numMips != 1) {
        return handle;
    }
    handle.idx = ctx->frameBuffers.alloc();
    if (!handle.valid()) {
        return handle;
    }
    slotFor(ctx->frameBufferEntries, handle.idx) = FrameBufferEntry{texture, destroyTexture};
    ctx->backend->createFrameBuffer(handle.idx, texture.idx);
    return handle;
}

TextureHandle getTexture(FrameBufferHandle frameBuffer) {
    return alive(&Context::frameBuffers, frameBuffer.idx) ? ctx->frameBufferEntries[frameBuffer.idx].texture
                                                          : TextureHandle();
}

void destroy(FrameBufferHandle frameBuffer) {
    if (!alive(&Context::frameBuffers, frameBuffer.idx)) {
        return;
    }
    FrameBufferEntry entry = ctx->frameBufferEntries[frameBuffer.idx];
    ctx->doomed.emplace_back(ResourceKind::FrameBuffer, frameBuffer.idx);
    ctx->frameBuffers.release(frameBuffer.idx);
    if (entry.ownsTexture) {
        destroy(entry.texture);
    }
}

// --- Transient buffers ---

uint32_t availableTransientVertices(uint32_t wanted, const VertexLayout& layout) {
    if (!ctx || layout.stride() == 0) {
        return 0;
    }
    const FrameData& frame = ctx->frame;
    uint32_t start = alignUp(frame.transientVertexBytes, layout.stride());
    uint32_t capacity = static_cast<uint32_t>(frame.transientVertices.size());
    uint32_t fits = start >= capacity ? 0 : (capacity - start) / layout.stride();
    return std::min(wanted, fits);
}

uint32_t availableTransientIndices(uint32_t wanted) {
    if (!ctx) {
        return 0;
    }
    const FrameData& frame = ctx->frame;
    return std::min(wanted, static_cast<uint32_t>(frame.transientIndices.size()) - frame.transientIndexCount);
}

bool allocTransientVertexBuffer(TransientVertexBuffer* buffer, uint32_t numVertices, const VertexLayout& layout) {
    *buffer = TransientVertexBuffer();
    if (numVertices == 0 || availableTransientVertices(numVertices, layout) < numVertices) {
        return false;
    }
    FrameData& frame = ctx->frame;
    uint32_t start = alignUp(frame.transientVertexBytes, layout.stride());
    buffer->data = frame.transientVertices.data() + start;
    buffer->size = numVertices * layout.stride();
    buffer->startVertex = start / layout.stride();
    buffer->layout = layout;
    frame.transientVertexBytes = start + buffer->size;
    return true;
}

bool allocTransientIndexBuffer(TransientIndexBuffer* buffer, uint32_t numIndices) {
    *buffer = TransientIndexBuffer();
    if (numIndices == 0 || availableTransientIndices(numIndices) < numIndices) {
        return false;
    }
    FrameData& frame = ctx->frame;
    buffer->data = frame.transientIndices.data() + frame.transientIndexCount;
    buffer->size = numIndices;
    buffer->startIndex = frame.transientIndexCount;
    frame.transientIndexCount += numIndices;
    return true;
}

bool allocTransientBuffers(TransientVertexBuffer* vertices, const VertexLayout& layout, uint32_t numVertices,
                           TransientIndexBuffer* indices, uint32_t numIndices) {
    if (availableTransientVertices(numVertices, layout) < numVertices ||
        availableTransientIndices(numIndices) < numIndices) {
        *vertices = TransientVertexBuffer();
        *indices = TransientIndexBuffer();
        return false;
    }
    return allocTransientVertexBuffer(vertices, numVertices, layout) && allocTransientIndexBuffer(indices, numIndices);
}

// --- Dynamic vertex buffers ---

DynamicVertexBufferHandle createDynamicVertexBuffer(uint32_t numVertices, const VertexLayout& layout) {
    DynamicVertexBufferHandle handle;
    if (!ctx || numVertices == 0 || layout.stride() == 0) {
        return handle;
    }
    handle.idx = ctx->dynamicBuffers.alloc();
    if (handle.valid()) {
        slotFor(ctx->dynamicBufferEntries, handle.idx) = DynamicBufferEntry{numVertices, layout};
        ctx->backend->createDynamicVertexBuffer(handle.idx, numVertices * layout.stride());
    }
    return handle;
}

bool updateDynamicVertexBuffer(DynamicVertexBufferHandle buffer, uint32_t startVertex, const void* data,
                               uint32_t numVertices) {
    if (!alive(&Context::dynamicBuffers, buffer.idx) || data == nullptr) {
        return false;
    }
    const DynamicBufferEntry& entry = ctx->dynamicBufferEntries[buffer.idx];
    if (startVertex > entry.numVertices || numVertices > entry.numVertices - startVertex) {
        return false;
    }
    uint32_t stride = entry.layout.stride();
    ctx->backend->updateDynamicVertexBuffer(buffer.idx, startVertex * stride, data, numVertices * stride);
    return true;
}

void destroy(DynamicVertexBufferHandle buffer) {
    if (alive(&Context::dynamicBuffers, buffer.idx)) {
        ctx->doomed.emplace_back(ResourceKind::DynamicBuffer, buffer.idx);
        ctx->dynamicBuffers.release(buffer.idx);
    }
}

// --- Per-draw bindings ---

void setState(const DrawState& state) {
    if (ctx) {
        ctx->pending.state = state;
    }
}

void setVertexBuffer(const TransientVertexBuffer& buffer) {
    setVertexBuffer(buffer, 0, buffer.layout.stride() == 0 ? 0 : buffer.size / buffer.layout.stride());
}

void setVertexBuffer(const TransientVertexBuffer& buffer, uint32_t firstVertex, uint32_t numVertices) {
    if (!ctx || buffer.data == nullptr) {
        return;
    }
    uint32_t total = buffer.size / buffer.layout.stride();
    Draw& draw = ctx->pending;
    draw.vertexSource = VertexSource::Transient;
    draw.layout = buffer.layout;
    draw.startVertex = buffer.startVertex + std::min(firstVertex, total);
    draw.numVertices = std::min(numVertices, total - std::min(firstVertex, total));
}

void setVertexBuffer(DynamicVertexBufferHandle buffer, uint32_t firstVertex, uint32_t numVertices) {
    if (!alive(&Context::dynamicBuffers, buffer.idx)) {
        return;
    }
    const DynamicBufferEntry& entry = ctx->dynamicBufferEntries[buffer.idx];
    Draw& draw = ctx->pending;
    draw.vertexSource = VertexSource::Dynamic;
    draw.dynamicBuffer = buffer;
    draw.layout = entry.layout;
    draw.startVertex = std::min(firstVertex, entry.numVertices);
    draw.numVertices = std::min(numVertices, entry.numVertices - draw.startVertex);
}

void setIndexBuffer(const TransientIndexBuffer& buffer) { setIndexBuffer(buffer, 0, buffer.size); }

void setIndexBuffer(const TransientIndexBuffer& buffer, uint32_t firstIndex, uint32_t numIndices) {
    if (!ctx || buffer.data == nullptr) {
        return;
    }
    Draw& draw = ctx->pending;
    firstIndex = std::min(firstIndex, buffer.size);
    draw.indexed = true;
    draw.startIndex = buffer.startIndex + firstIndex;
    draw.numIndices = std::min(numIndices, buffer.size - firstIndex);
}

void setTexture(uint8_t stage, UniformHandle sampler, TextureHandle texture, SamplerFlags flags) {
    if (!ctx || stage >= kMaxTextureStages) {
        return;
    }
    ctx->pending.textures[stage] = TextureBinding{sampler, texture, flags};
}

void setScissor(uint16_t x, uint16_t y, uint16_t width, uint16_t height) {
    if (ctx) {
        ctx->pending.scissor = Rect{x, y, width, height};
    }
}

void submit(ViewId view, ProgramHandle program) {
    if (!ctx) {
        return;
    }
    if (validView(view) && ctx->programs.alive(program.idx)) {
        Draw draw = ctx->pending;
        draw.view = view;
        draw.program = program;
        snapshotUniforms(draw);
        ctx->submitted.push_back(draw);
    }
    resetPending();
}

void discard() {
    if (ctx) {
        resetPending();
    }
}

}  // namespace gfx
