// The recording back end: resources live in memory and every frame is kept for inspection.

#include <cstring>

#include "engine/gfx/Backend.h"
#include "engine/gfx/HandlePool.h"
#include "engine/gfx/Recording.h"

namespace gfx {
namespace {

class RecordingBackend;
RecordingBackend* active = nullptr;

class RecordingBackend final : public BackendImpl, public Recording {
public:
    RecordingBackend() { active = this; }
    ~RecordingBackend() override { active = nullptr; }

    bool init(const Init& init) override {
        m_blockCompression = init.recordBlockCompression;
        return true;
    }
    void reset(uint16_t, uint16_t, bool) override {}

    // A source that could not be read arrives empty; nothing else can be checked without a GPU.
    bool createProgram(uint16_t, const std::string& vertexSource, const std::string& fragmentSource,
                       const std::string&) override {
        return !vertexSource.empty() && !fragmentSource.empty();
    }
    void destroyProgram(uint16_t) override {}

    void createUniform(uint16_t, const std::string&, UniformType) override {}
    void destroyUniform(uint16_t) override {}

    bool supportsBlockFormat(TextureFormat) const override { return m_blockCompression; }

    bool createTexture(uint16_t idx, const TextureDesc& desc, const void* data) override {
        Texture& texture = slotFor(m_textures, idx);
        texture.desc = desc;
        texture.texels.assign(size_t(storageSize(desc)), 0);
        if (data != nullptr) {
            std::memcpy(texture.texels.data(), data, texture.texels.size());
        }
        return true;
    }

    void updateTexture(uint16_t idx, const TexelBox& box, const void* data, uint32_t pitch) override {
        Texture& texture = m_textures[idx];
        uint32_t texelBytes = bitsPerPixel(texture.desc.format) / 8;
        uint32_t rowBytes = box.width * texelBytes;
        size_t textureRowBytes = size_t(rowSize(texture.desc.format, texture.desc.width));
        const uint8_t* source = static_cast<const uint8_t*>(data);
        for (uint32_t z = 0; z < box.depth; ++z) {
            for (uint32_t y = 0; y < box.height; ++y) {
                size_t offset = ((size_t(box.z) + z) * texture.desc.height + box.y + y) * textureRowBytes +
                                size_t(box.x) * texelBytes;
                std::memcpy(texture.texels.data() + offset, source + (size_t(z) * box.height + y) * pitch, rowBytes);
            }
        }
    }

    void readTexture(uint16_t idx, void* dest) override {
        const Texture& texture = m_textures[idx];
        std::memcpy(dest, texture.texels.data(), texture.texels.size());
    }

    void destroyTexture(uint16_t idx) override { m_textures[idx] = Texture(); }

    void createFrameBuffer(uint16_t, uint16_t) override {}
    void destroyFrameBuffer(uint16_t) override {}

    void createDynamicVertexBuffer(uint16_t idx, uint32_t bytes) override {
        slotFor(m_dynamicBuffers, idx).assign(bytes, 0);
    }

    void updateDynamicVertexBuffer(uint16_t idx, uint32_t offset, const void* data, uint32_t bytes) override {
        std::memcpy(m_dynamicBuffers[idx].data() + offset, data, bytes);
    }

    void destroyDynamicVertexBuffer(uint16_t idx) override { m_dynamicBuffers[idx].clear(); }

    // Copies only what the frame used, so recording stays cheap next to a large transient budget.
    void execute(const FrameData& frame) override {
        m_last.number = frame.number;
        m_last.passes = frame.passes;
        m_last.draws = frame.draws;
        m_last.transientVertexBytes = frame.transientVertexBytes;
        m_last.transientVertices.assign(frame.transientVertices.begin(),
                                        frame.transientVertices.begin() + frame.transientVertexBytes);
        m_last.transientIndexCount = frame.transientIndexCount;
        m_last.transientIndices.assign(frame.transientIndices.begin(),
                                       frame.transientIndices.begin() + frame.transientIndexCount);
        m_last.uniformValues = frame.uniformValues;
        m_last.uniformFloats = frame.uniformFloats;
        ++m_framesRun;
    }

    const FrameData& lastFrame() const override { return m_last; }
    uint32_t framesRun() const override { return m_framesRun; }

    std::vector<uint8_t> vertexBytes(const Draw& draw) const override {
        const std::vector<uint8_t>* source = nullptr;
        if (draw.vertexSource == VertexSource::Transient) {
            source = &m_last.transientVertices;
        } else if (draw.vertexSource == VertexSource::Dynamic) {
            source = &m_dynamicBuffers[draw.dynamicBuffer.idx];
        } else {
            return {};
        }
        size_t begin = size_t(draw.startVertex) * draw.layout.stride();
        size_t end = begin + size_t(draw.numVertices) * draw.layout.stride();
        if (end > source->size()) {
            return {};
        }
        return std::vector<uint8_t>(source->begin() + begin, source->begin() + end);
    }

    std::vector<uint16_t> indices(const Draw& draw) const override {
        if (!draw.indexed) {
            return {};
        }
        auto begin = m_last.transientIndices.begin() + draw.startIndex;
        return std::vector<uint16_t>(begin, begin + draw.numIndices);
    }

    const float* uniform(const Draw& draw, UniformHandle uniform) const override {
        for (uint32_t i = 0; i < draw.numUniforms; ++i) {
            const UniformValue& value = m_last.uniformValues[draw.firstUniform + i];
            if (value.uniform == uniform) {
                return m_last.uniformFloats.data() + value.firstFloat;
            }
        }
        return nullptr;
    }

private:
    struct Texture {
        TextureDesc desc;
        std::vector<uint8_t> texels;
    };

    bool m_blockCompression = true;
    std::vector<Texture> m_textures;
    std::vector<std::vector<uint8_t>> m_dynamicBuffers;
    FrameData m_last;
    uint32_t m_framesRun = 0;
};

}  // namespace

std::unique_ptr<BackendImpl> makeRecordingBackend() { return std::make_unique<RecordingBackend>(); }

const Recording* recording() { return active; }

}  // namespace gfx
