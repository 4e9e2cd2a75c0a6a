// The OpenGL 3.3 core back end, on whatever GLFW context is current at init().

#include <epoxy/gl.h>

#include "engine/gfx/Backend.h"
#include "engine/gfx/HandlePool.h"
#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <glm/gtc/type_ptr.hpp>
#include <limits>

namespace gfx {
namespace {

constexpr GLint kUnknownLocation = -2;

// format is 0 for block-compressed formats, which upload as they are.
struct GlFormat {
    GLenum internal;
    GLenum format;
};

GlFormat glFormat(TextureFormat format) {
    switch (format) {
        case TextureFormat::R8:
            return {GL_R8, GL_RED};
        case TextureFormat::RG8:
            return {GL_RG8, GL_RG};
        case TextureFormat::RGB8:
            return {GL_RGB8, GL_RGB};
        case TextureFormat::RGBA8:
            return {GL_RGBA8, GL_RGBA};
        case TextureFormat::BGRA8:
            return {GL_RGBA8, GL_BGRA};
        case TextureFormat::BC1:
            return {GL_COMPRESSED_RGBA_S3TC_DXT1_EXT, 0};
        case TextureFormat::BC2:
            return {GL_COMPRESSED_RGBA_S3TC_DXT3_EXT, 0};
        case TextureFormat::BC3:
            return {GL_COMPRESSED_RGBA_S3TC_DXT5_EXT, 0};
        case TextureFormat::BC4:
            return {GL_COMPRESSED_RED_RGTC1, 0};
        case TextureFormat::BC5:
            return {GL_COMPRESSED_RG_RGTC2, 0};
        case TextureFormat::BC7:
            return {GL_COMPRESSED_RGBA_BPTC_UNORM, 0};
    }
    return {GL_RGBA8, GL_RGBA};
}

GLenum glTarget(const TextureDesc& desc) {
    switch (desc.kind) {
        case TextureKind::Flat:
            return desc.numLayers > 1 ? GL_TEXTURE_2D_ARRAY : GL_TEXTURE_2D;
        case TextureKind::Volume:
            return GL_TEXTURE_3D;
        case TextureKind::Cube:
            return desc.numLayers > 1 ? GL_TEXTURE_CUBE_MAP_ARRAY : GL_TEXTURE_CUBE_MAP;
    }
    return GL_TEXTURE_2D;
}

// Clears the error flags, so that the next check sees only what came after. Bounded: a lost
// context may keep reporting.
bool hadGlError() {
    bool any = false;
    for (int i = 0; i < 8 && glGetError() != GL_NO_ERROR; ++i) {
        any = true;
    }
    return any;
}

GLenum glBlendFactor(BlendFactor factor) {
    switch (factor) {
        case BlendFactor::Zero:
            return GL_ZERO;
        case BlendFactor::One:
            return GL_ONE;
        case BlendFactor::SrcColour:
            return GL_SRC_COLOR;
        case BlendFactor::InvSrcColour:
            return GL_ONE_MINUS_SRC_COLOR;
        case BlendFactor::SrcAlpha:
            return GL_SRC_ALPHA;
        case BlendFactor::InvSrcAlpha:
            return GL_ONE_MINUS_SRC_ALPHA;
        case BlendFactor::DstColour:
            return GL_DST_COLOR;
        case BlendFactor::InvDstColour:
            return GL_ONE_MINUS_DST_COLOR;
        case BlendFactor::DstAlpha:
            return GL_DST_ALPHA;
        case BlendFactor::InvDstAlpha:
            return GL_ONE_MINUS_DST_ALPHA;
    }
    return GL_ONE;
}

GLenum glEquation(BlendEquation equation) { return equation == BlendEquation::Max ? GL_MAX : GL_FUNC_ADD; }

GLenum glPrimitive(Primitive primitive) {
    switch (primitive) {
        case Primitive::Triangles:
            return GL_TRIANGLES;
        case Primitive::TriangleStrip:
            return GL_TRIANGLE_STRIP;
        case Primitive::Lines:
            return GL_LINES;
    }
    return GL_TRIANGLES;
}

const char* const AttribNames[kAttribCount] = {"a_position", "a_texcoord0", "a_color0"};

GLuint compileShader(GLenum stage, const std::string& source, const std::string& name) {
    GLuint shader = glCreateShader(stage);
    const char* text = source.c_str();
    glShaderSource(shader, 1, &text, nullptr);
    glCompileShader(shader);
    GLint ok = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (ok == GL_TRUE) {
        return shader;
    }
    GLint length = 0;
    glGetShaderiv(shader, GL_INFO_LOG_LENGTH, &length);
    std::string log(static_cast<size_t>(length > 0 ? length : 1), '\0');
    glGetShaderInfoLog(shader, length, nullptr, log.data());
    std::fprintf(stderr, "%s (%s shader): %s\n", name.c_str(), stage == GL_VERTEX_SHADER ? "vertex" : "fragment",
                 log.c_str());
    glDeleteShader(shader);
    return 0;
}

class GlBackend final : public BackendImpl {
public:
    ~GlBackend() override {
        for (Program& program : m_programs) {
            glDeleteProgram(program.id);
        }
        for (FrameBuffer& frameBuffer : m_frameBuffers) {
            glDeleteFramebuffers(1, &frameBuffer.id);
        }
        for (Texture& texture : m_textures) {
            glDeleteTextures(1, &texture.id);
        }
        for (GLuint buffer : m_dynamicBuffers) {
            glDeleteBuffers(1, &buffer);
        }
        for (GLuint sampler : m_samplers) {
            glDeleteSamplers(1, &sampler);
        }
        glDeleteBuffers(1, &m_transientVertices);
        glDeleteBuffers(1, &m_transientIndices);
        glDeleteVertexArrays(1, &m_vertexArray);
    }

    bool init(const Init& init) override {
        if (glfwGetCurrentContext() == nullptr || epoxy_gl_version() < 33) {
            return false;
        }
        m_window = init.window;
        reset(init.width, init.height, init.vsync);
        glGenVertexArrays(1, &m_vertexArray);
        glBindVertexArray(m_vertexArray);
        glGenBuffers(1, &m_transientVertices);
        glGenBuffers(1, &m_transientIndices);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_CULL_FACE);
        glEnable(GL_TEXTURE_CUBE_MAP_SEAMLESS);
        m_s3tc = epoxy_has_gl_extension("GL_EXT_texture_compression_s3tc");
        m_bptc = epoxy_gl_version() >= 42 || epoxy_has_gl_extension("GL_ARB_texture_compression_bptc");
        return true;
    }

    void reset(uint16_t width, uint16_t height, bool vsync) override {
        m_width = width;
        m_height = height;
        if (m_window != nullptr) {
            glfwSwapInterval(vsync ? 1 : 0);
        }
    }

    bool createProgram(uint16_t idx, const std::string& vertexSource, const std::string& fragmentSource,
                       const std::string& name) override {
        GLuint vs = compileShader(GL_VERTEX_SHADER, vertexSource, name);
        GLuint fs = vs == 0 ? 0 : compileShader(GL_FRAGMENT_SHADER, fragmentSource, name);
        if (fs == 0) {
            glDeleteShader(vs);
            return false;
        }
        GLuint id = glCreateProgram();
        glAttachShader(id, vs);
        glAttachShader(id, fs);
        for (GLuint i = 0; i < kAttribCount; ++i) {
            glBindAttribLocation(id, i, AttribNames[i]);
        }
        glLinkProgram(id);
        glDeleteShader(vs);
        glDeleteShader(fs);
        GLint ok = GL_FALSE;
        glGetProgramiv(id, GL_LINK_STATUS, &ok);
        if (ok != GL_TRUE) {
            GLint length = 0;
            glGetProgramiv(id, GL_INFO_LOG_LENGTH, &length);
            std::string log(static_cast<size_t>(length > 0 ? length : 1), '\0');
            glGetProgramInfoLog(id, length, nullptr, log.data());
            std::fprintf(stderr, "%s (link): %s\n", name.c_str(), log.c_str());
            glDeleteProgram(id);
            return false;
        }
        Program& program = slotFor(m_programs, idx);
        program.id = id;
        program.modelViewProj = glGetUniformLocation(id, "u_modelViewProj");
        program.locations.assign(m_uniformNames.size(), kUnknownLocation);
        return true;
    }

    void destroyProgram(uint16_t idx) override {
        glDeleteProgram(m_programs[idx].id);
        m_programs[idx] = Program();
    }

    void createUniform(uint16_t idx, const std::string& name, UniformType) override {
        slotFor(m_uniformNames, idx) = name;
        forgetLocations(idx);
    }

    void destroyUniform(uint16_t idx) override {
        m_uniformNames[idx].clear();
        forgetLocations(idx);
    }

    bool supportsBlockFormat(TextureFormat format) const override {
        switch (format) {
            case TextureFormat::BC1:
            case TextureFormat::BC2:
            case TextureFormat::BC3:
                return m_s3tc;
            case TextureFormat::BC7:
                return m_bptc;
            default:
                return true;  // RGTC (BC4, BC5) is core in OpenGL 3.0
        }
    }

    // Allocates every level, then uploads each image where it goes: the layout keeps a layer's
    // levels together, OpenGL a level's layers.
    bool createTexture(uint16_t idx, const TextureDesc& desc, const void* data) override {
        // OpenGL takes image sizes as signed 32-bit counts.
        if (storageSize(desc) > uint64_t(std::numeric_limits<GLsizei>::max())) {
            return false;
        }
        hadGlError();
        Texture texture;
        texture.desc = desc;
        texture.target = glTarget(desc);
        glGenTextures(1, &texture.id);
        glBindTexture(texture.target, texture.id);
        glTexParameteri(texture.target, GL_TEXTURE_MAX_LEVEL, desc.numMips - 1);
        for (uint8_t level = 0; level < desc.numMips; ++level) {
            allocateLevel(texture, level);
        }
        const uint8_t* image = static_cast<const uint8_t*>(data);
        uint32_t slices = uint32_t(desc.numLayers) * faceCount(desc);
        for (uint32_t slice = 0; image != nullptr && slice < slices; ++slice) {
            for (uint8_t level = 0; level < desc.numMips; ++level) {
                uploadImage(texture, slice, level, image);
                image += levelImageSize(desc, level);
            }
        }
        if (hadGlError()) {
            glDeleteTextures(1, &texture.id);
            return false;
        }
        slotFor(m_textures, idx) = texture;
        return true;
    }

    void updateTexture(uint16_t idx, const TexelBox& box, const void* data, uint32_t pitch) override {
        const Texture& texture = m_textures[idx];
        uint32_t rowBytes = uint32_t(box.width) * bitsPerPixel(texture.desc.format) / 8;
        const uint8_t* source = static_cast<const uint8_t*>(data);
        if (pitch != rowBytes) {
            m_packed.resize(size_t(rowBytes) * box.height * box.depth);
            for (uint32_t row = 0; row < uint32_t(box.height) * box.depth; ++row) {
                std::memcpy(m_packed.data() + size_t(row) * rowBytes, source + size_t(row) * pitch, rowBytes);
            }
            source = m_packed.data();
        }
        GlFormat format = glFormat(texture.desc.format);
        glBindTexture(texture.target, texture.id);
        if (texture.target == GL_TEXTURE_3D) {
            glTexSubImage3D(GL_TEXTURE_3D, 0, box.x, box.y, box.z, box.width, box.height, box.depth, format.format,
                            GL_UNSIGNED_BYTE, source);
        } else {
            glTexSubImage2D(GL_TEXTURE_2D, 0, box.x, box.y, box.width, box.height, format.format, GL_UNSIGNED_BYTE,
                            source);
        }
    }

    // OpenGL hands out a level with all its layers and faces; each goes to its place in dest.
    void readTexture(uint16_t idx, void* dest) override {
        const Texture& texture = m_textures[idx];
        const TextureDesc& desc = texture.desc;
        uint32_t slices = uint32_t(desc.numLayers) * faceCount(desc);
        size_t sliceStride = size_t(faceSize(desc));
        size_t levelOffset = 0;
        glBindTexture(texture.target, texture.id);
        for (uint8_t level = 0; level < desc.numMips; ++level) {
            size_t image = size_t(levelImageSize(desc, level));
            m_packed.resize(image * slices);
            if (texture.target == GL_TEXTURE_CUBE_MAP) {
                for (uint32_t face = 0; face < 6; ++face) {
                    readImage(texture, GL_TEXTURE_CUBE_MAP_POSITIVE_X + face, level, m_packed.data() + face * image);
                }
            } else {
                readImage(texture, texture.target, level, m_packed.data());
            }
            for (uint32_t slice = 0; slice < slices; ++slice) {
                std::memcpy(static_cast<uint8_t*>(dest) + slice * sliceStride + levelOffset,
                            m_packed.data() + slice * image, image);
            }
            levelOffset += image;
        }
    }

    void destroyTexture(uint16_t idx) override {
        glDeleteTextures(1, &m_textures[idx].id);
        m_textures[idx] = Texture();
    }

    void createFrameBuffer(uint16_t idx, uint16_t textureIdx) override {
        FrameBuffer& frameBuffer = slotFor(m_frameBuffers, idx);
        frameBuffer.texture = textureIdx;
        glGenFramebuffers(1, &frameBuffer.id);
        glBindFramebuffer(GL_FRAMEBUFFER, frameBuffer.id);
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, m_textures[textureIdx].id, 0);
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
    }

    void destroyFrameBuffer(uint16_t idx) override {
        glDeleteFramebuffers(1, &m_frameBuffers[idx].id);
        m_frameBuffers[idx] = FrameBuffer();
    }

    void createDynamicVertexBuffer(uint16_t idx, uint32_t bytes) override {
        GLuint& buffer = slotFor(m_dynamicBuffers, idx);
        glGenBuffers(1, &buffer);
        glBindBuffer(GL_ARRAY_BUFFER, buffer);
        glBufferData(GL_ARRAY_BUFFER, bytes, nullptr, GL_DYNAMIC_DRAW);
    }

    void updateDynamicVertexBuffer(uint16_t idx, uint32_t offset, const void* data, uint32_t bytes) override {
        glBindBuffer(GL_ARRAY_BUFFER, m_dynamicBuffers[idx]);
        glBufferSubData(GL_ARRAY_BUFFER, offset, bytes, data);
    }

    void destroyDynamicVertexBuffer(uint16_t idx) override {
        glDeleteBuffers(1, &m_dynamicBuffers[idx]);
        m_dynamicBuffers[idx] = 0;
    }

    void execute(const FrameData& frame) override {
        if (m_timing) {
            glFinish();  // what the frame before left to do is not this frame's first view's
        }
        auto started = Clock::now();
        glBindVertexArray(m_vertexArray);
        glBindBuffer(GL_ARRAY_BUFFER, m_transientVertices);
        glBufferData(GL_ARRAY_BUFFER, frame.transientVertexBytes, frame.transientVertices.data(), GL_STREAM_DRAW);
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, m_transientIndices);
        glBufferData(GL_ELEMENT_ARRAY_BUFFER, GLsizeiptr(frame.transientIndexCount) * 2, frame.transientIndices.data(),
                     GL_STREAM_DRAW);
        m_stateKnown = false;
        m_currentProgram = UINT16_MAX;
        m_viewTimes.clear();
        for (const ViewPass& pass : frame.passes) {
            runPass(frame, pass);
            if (m_timing) {
                glFinish();
                const auto finished = Clock::now();
                m_viewTimes.push_back({pass.id, std::chrono::duration<double, std::milli>(finished - started).count()});
                started = finished;
            }
        }
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        if (m_window != nullptr) {
            glfwSwapBuffers(m_window);
        }
    }

    void setViewTiming(bool on) override { m_timing = on; }
    const std::vector<ViewTime>& viewTimes() const override { return m_viewTimes; }

private:
    using Clock = std::chrono::steady_clock;

    struct Program {
        GLuint id = 0;
        GLint modelViewProj = -1;
        std::vector<GLint> locations;  // by uniform index, kUnknownLocation until asked
    };

    struct Texture {
        GLuint id = 0;
        GLenum target = GL_TEXTURE_2D;
        TextureDesc desc;
    };

    struct FrameBuffer {
        GLuint id = 0;
        uint16_t texture = 0;
    };

    static uint64_t levelImageSize(const TextureDesc& desc, uint8_t level) {
        return imageSize(desc.format, mipSize(desc.width, level), mipSize(desc.height, level),
                         mipSize(desc.depth, level));
    }

    // Layered targets hold a level as one 3D image whose slices are the layers (times six faces
    // for cube map arrays); a plain cube map has one 2D image per face.
    static void allocateLevel(const Texture& texture, uint8_t level) {
        const TextureDesc& desc = texture.desc;
        GlFormat format = glFormat(desc.format);
        GLsizei width = mipSize(desc.width, level);
        GLsizei height = mipSize(desc.height, level);
        GLsizei image = GLsizei(levelImageSize(desc, level));
        if (texture.target == GL_TEXTURE_2D || texture.target == GL_TEXTURE_CUBE_MAP) {
            GLenum first = texture.target == GL_TEXTURE_2D ? GL_TEXTURE_2D : GL_TEXTURE_CUBE_MAP_POSITIVE_X;
            for (GLenum target = first; target < first + faceCount(desc); ++target) {
                if (format.format == 0) {
                    glCompressedTexImage2D(target, level, format.internal, width, height, 0, image, nullptr);
                } else {
                    glTexImage2D(target, level, GLint(format.internal), width, height, 0, format.format,
                                 GL_UNSIGNED_BYTE, nullptr);
                }
            }
            return;
        }
        GLsizei depth =
            texture.target == GL_TEXTURE_3D ? mipSize(desc.depth, level) : GLsizei(desc.numLayers) * faceCount(desc);
        if (format.format == 0) {
            glCompressedTexImage3D(texture.target, level, format.internal, width, height, depth, 0, image * depth,
                                   nullptr);
        } else {
            glTexImage3D(texture.target, level, GLint(format.internal), width, height, depth, 0, format.format,
                         GL_UNSIGNED_BYTE, nullptr);
        }
    }

    // One image of the layout: slice is layer x faces + face.
    static void uploadImage(const Texture& texture, uint32_t slice, uint8_t level, const uint8_t* data) {
        const TextureDesc& desc = texture.desc;
        GlFormat format = glFormat(desc.format);
        GLsizei width = mipSize(desc.width, level);
        GLsizei height = mipSize(desc.height, level);
        GLsizei image = GLsizei(levelImageSize(desc, level));
        if (texture.target == GL_TEXTURE_2D || texture.target == GL_TEXTURE_CUBE_MAP) {
            GLenum target = texture.target == GL_TEXTURE_2D ? GL_TEXTURE_2D : GL_TEXTURE_CUBE_MAP_POSITIVE_X + slice;
            if (format.format == 0) {
                glCompressedTexSubImage2D(target, level, 0, 0, width, height, format.internal, image, data);
            } else {
                glTexSubImage2D(target, level, 0, 0, width, height, format.format, GL_UNSIGNED_BYTE, data);
            }
            return;
        }
        bool volume = texture.target == GL_TEXTURE_3D;
        GLint z = volume ? 0 : GLint(slice);
        GLsizei depth = volume ? mipSize(desc.depth, level) : 1;
        if (format.format == 0) {
            glCompressedTexSubImage3D(texture.target, level, 0, 0, z, width, height, depth, format.internal, image,
                                      data);
        } else {
            glTexSubImage3D(texture.target, level, 0, 0, z, width, height, depth, format.format, GL_UNSIGNED_BYTE,
                            data);
        }
    }

    static void readImage(const Texture& texture, GLenum target, uint8_t level, uint8_t* dest) {
        GlFormat format = glFormat(texture.desc.format);
        if (format.format == 0) {
            glGetCompressedTexImage(target, level, dest);
        } else {
            glGetTexImage(target, level, format.format, GL_UNSIGNED_BYTE, dest);
        }
    }

    void forgetLocations(uint16_t uniformIdx) {
        for (Program& program : m_programs) {
            if (uniformIdx < program.locations.size()) {
                program.locations[uniformIdx] = kUnknownLocation;
            }
        }
    }

    GLint location(uint16_t programIdx, uint16_t uniformIdx) {
        Program& program = m_programs[programIdx];
        if (program.locations.size() <= uniformIdx) {
            program.locations.resize(uniformIdx + 1u, kUnknownLocation);
        }
        GLint& location = program.locations[uniformIdx];
        if (location == kUnknownLocation) {
            location = glGetUniformLocation(program.id, m_uniformNames[uniformIdx].c_str());
        }
        return location;
    }

    GLuint sampler(SamplerFlags flags, bool mipped) {
        flags &= 0x1f;
        GLuint& sampler = m_samplers[flags | (mipped ? 0x20 : 0)];
        if (sampler == 0) {
            glGenSamplers(1, &sampler);
            GLint minPoint = mipped ? GL_NEAREST_MIPMAP_LINEAR : GL_NEAREST;
            GLint minLinear = mipped ? GL_LINEAR_MIPMAP_LINEAR : GL_LINEAR;
            glSamplerParameteri(sampler, GL_TEXTURE_MIN_FILTER, (flags & Sampler::MinPoint) ? minPoint : minLinear);
            glSamplerParameteri(sampler, GL_TEXTURE_MAG_FILTER, (flags & Sampler::MagPoint) ? GL_NEAREST : GL_LINEAR);
            glSamplerParameteri(sampler, GL_TEXTURE_WRAP_S, (flags & Sampler::UClamp) ? GL_CLAMP_TO_EDGE : GL_REPEAT);
            glSamplerParameteri(sampler, GL_TEXTURE_WRAP_T, (flags & Sampler::VClamp) ? GL_CLAMP_TO_EDGE : GL_REPEAT);
            glSamplerParameteri(sampler, GL_TEXTURE_WRAP_R, (flags & Sampler::WClamp) ? GL_CLAMP_TO_EDGE : GL_REPEAT);
        }
        return sampler;
    }

    // Rectangles are given from the top-left; GL counts from the bottom-left.
    static void toGl(const Rect& rect, uint16_t targetHeight, GLint out[4]) {
        out[0] = rect.x;
        out[1] = GLint(targetHeight) - rect.y - rect.height;
        out[2] = rect.width;
        out[3] = rect.height;
    }

    void runPass(const FrameData& frame, const ViewPass& pass) {
        const ViewState& view = pass.state;
        uint16_t targetWidth = m_width;
        uint16_t targetHeight = m_height;
        GLuint target = 0;
        if (view.frameBuffer.valid() && view.frameBuffer.idx < m_frameBuffers.size() &&
            m_frameBuffers[view.frameBuffer.idx].id != 0) {
            const FrameBuffer& frameBuffer = m_frameBuffers[view.frameBuffer.idx];
            target = frameBuffer.id;
            targetWidth = m_textures[frameBuffer.texture].desc.width;
            targetHeight = m_textures[frameBuffer.texture].desc.height;
        }
        glBindFramebuffer(GL_FRAMEBUFFER, target);
        m_targetHeight = targetHeight;
        Rect rect = view.rect.empty() ? Rect{0, 0, targetWidth, targetHeight} : view.rect;
        GLint viewport[4];
        toGl(rect, targetHeight, viewport);
        glViewport(viewport[0], viewport[1], viewport[2], viewport[3]);
        if (view.clearFlags != Clear::None) {
            clear(view, viewport);
        }
        m_modelViewProj = view.proj * view.view;
        m_mvpVersion++;
        for (uint32_t i = 0; i < pass.numDraws; ++i) {
            runDraw(frame, frame.draws[pass.firstDraw + i]);
        }
    }

    void clear(const ViewState& view, const GLint viewport[4]) {
        glEnable(GL_SCISSOR_TEST);
        glScissor(viewport[0], viewport[1], viewport[2], viewport[3]);
        glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
        GLbitfield bits = 0;
        if (view.clearFlags & Clear::Colour) {
            uint32_t rgba = view.clearRgba;
            glClearColor(float((rgba >> 24) & 0xff) / 255.0f, float((rgba >> 16) & 0xff) / 255.0f,
                         float((rgba >> 8) & 0xff) / 255.0f, float(rgba & 0xff) / 255.0f);
            bits |= GL_COLOR_BUFFER_BIT;
        }
        if (view.clearFlags & Clear::Depth) {
            glClearDepth(view.clearDepth);
            bits |= GL_DEPTH_BUFFER_BIT;
        }
        if (view.clearFlags & Clear::Stencil) {
            glClearStencil(view.clearStencil);
            bits |= GL_STENCIL_BUFFER_BIT;
        }
        glClear(bits);
        m_stateKnown = false;
    }

    void applyState(const DrawState& state) {
        if (m_stateKnown && state == m_state) {
            return;
        }
        GLboolean rgb = state.writeRgb ? GL_TRUE : GL_FALSE;
        glColorMask(rgb, rgb, rgb, state.writeAlpha ? GL_TRUE : GL_FALSE);
        if (state.blending) {
            glEnable(GL_BLEND);
            glBlendFuncSeparate(glBlendFactor(state.srcRgb), glBlendFactor(state.dstRgb), glBlendFactor(state.srcAlpha),
                                glBlendFactor(state.dstAlpha));
            glBlendEquationSeparate(glEquation(state.equationRgb), glEquation(state.equationAlpha));
        } else {
            glDisable(GL_BLEND);
        }
        m_state = state;
        m_stateKnown = true;
    }

    void bindVertices(const Draw& draw) {
        GLuint buffer =
            draw.vertexSource == VertexSource::Dynamic ? m_dynamicBuffers[draw.dynamicBuffer.idx] : m_transientVertices;
        glBindBuffer(GL_ARRAY_BUFFER, buffer);
        const VertexLayout& layout = draw.layout;
        size_t base = size_t(draw.startVertex) * layout.stride();
        for (GLuint i = 0; i < kAttribCount; ++i) {
            const AttribFormat& format = layout.format(static_cast<Attrib>(i));
            if (format.num == 0) {
                glDisableVertexAttribArray(i);
                continue;
            }
            glEnableVertexAttribArray(i);
            glVertexAttribPointer(i, format.num, format.type == AttribType::Float ? GL_FLOAT : GL_UNSIGNED_BYTE,
                                  format.normalised ? GL_TRUE : GL_FALSE, layout.stride(),
                                  reinterpret_cast<const void*>(base + format.offset));
        }
    }

    void runDraw(const FrameData& frame, const Draw& draw) {
        if (draw.numVertices == 0 || (draw.indexed && draw.numIndices == 0)) {
            return;
        }
        applyState(draw.state);
        const Program& program = m_programs[draw.program.idx];
        if (m_currentProgram != draw.program.idx || m_programMvpVersion != m_mvpVersion) {
            glUseProgram(program.id);
            if (program.modelViewProj >= 0) {
                glUniformMatrix4fv(program.modelViewProj, 1, GL_FALSE, glm::value_ptr(m_modelViewProj));
            }
            m_currentProgram = draw.program.idx;
            m_programMvpVersion = m_mvpVersion;
        }
        for (uint32_t i = 0; i < draw.numUniforms; ++i) {
            const UniformValue& value = frame.uniformValues[draw.firstUniform + i];
            GLint loc = location(draw.program.idx, value.uniform.idx);
            if (loc >= 0) {
                glUniform4fv(loc, value.count, frame.uniformFloats.data() + value.firstFloat);
            }
        }
        for (GLuint stage = 0; stage < kMaxTextureStages; ++stage) {
            const TextureBinding& binding = draw.textures[stage];
            if (!binding.texture.valid() || binding.texture.idx >= m_textures.size() ||
                m_textures[binding.texture.idx].id == 0) {
                continue;
            }
            const Texture& texture = m_textures[binding.texture.idx];
            glActiveTexture(GL_TEXTURE0 + stage);
            glBindTexture(texture.target, texture.id);
            SamplerFlags flags = binding.flags == Sampler::FromTexture ? texture.desc.flags : binding.flags;
            glBindSampler(stage, sampler(flags, texture.desc.numMips > 1));
            if (binding.sampler.valid()) {
                GLint loc = location(draw.program.idx, binding.sampler.idx);
                if (loc >= 0) {
                    glUniform1i(loc, GLint(stage));
                }
            }
        }
        if (draw.scissor.empty()) {
            glDisable(GL_SCISSOR_TEST);
        } else {
            GLint box[4];
            toGl(draw.scissor, m_targetHeight, box);
            glEnable(GL_SCISSOR_TEST);
            glScissor(box[0], box[1], box[2], box[3]);
        }
        bindVertices(draw);
        GLenum mode = glPrimitive(draw.state.primitive);
        if (draw.indexed) {
            glDrawElements(mode, GLsizei(draw.numIndices), GL_UNSIGNED_SHORT,
                           reinterpret_cast<const void*>(size_t(draw.startIndex) * 2));
        } else {
            glDrawArrays(mode, 0, GLsizei(draw.numVertices));
        }
    }

    GLFWwindow* m_window = nullptr;
    uint16_t m_width = 0;
    uint16_t m_height = 0;
    uint16_t m_targetHeight = 0;
    GLuint m_vertexArray = 0;
    GLuint m_transientVertices = 0;
    GLuint m_transientIndices = 0;
    std::vector<Program> m_programs;
    std::vector<std::string> m_uniformNames;
    std::vector<Texture> m_textures;
    std::vector<FrameBuffer> m_frameBuffers;
    std::vector<GLuint> m_dynamicBuffers;
    std::array<GLuint, 64> m_samplers{};  // by sampler flags, and whether the texture has mip levels
    bool m_s3tc = false;
    bool m_bptc = false;
    std::vector<uint8_t> m_packed;

    bool m_timing = false;
    std::vector<ViewTime> m_viewTimes;

    DrawState m_state;
    bool m_stateKnown = false;
    uint16_t m_currentProgram = UINT16_MAX;
    glm::mat4 m_modelViewProj{1.0f};
    uint32_t m_mvpVersion = 0;
    uint32_t m_programMvpVersion = 0;
};

}  // namespace

std::unique_ptr<BackendImpl> makeGlBackend() { return std::make_unique<GlBackend>(); }

}  // namespace gfx
