#pragma once

// What the front end (Gfx.cpp) asks of a back end. The front end owns handles, validation,
// view state and the frame's recording; a back end only holds the resources by handle index
// and runs finished frames.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/gfx/Frame.h"
#include "engine/gfx/Gfx.h"

namespace gfx {

// A box of texels in mip level 0; z and depth are 0 and 1 for 2D textures.
struct TexelBox {
    uint16_t x = 0, y = 0, z = 0;
    uint16_t width = 0, height = 0, depth = 1;
};

class BackendImpl {
public:
    virtual ~BackendImpl() = default;

    virtual bool init(const Init& init) = 0;
    virtual void reset(uint16_t width, uint16_t height, bool vsync) = 0;

    virtual bool createProgram(uint16_t idx, const std::string& vertexSource, const std::string& fragmentSource,
                               const std::string& name) = 0;
    virtual void destroyProgram(uint16_t idx) = 0;

    virtual void createUniform(uint16_t idx, const std::string& name, UniformType type) = 0;
    virtual void destroyUniform(uint16_t idx) = 0;

    // Block-compressed formats only; the others are always supported.
    virtual bool supportsBlockFormat(TextureFormat format) const = 0;
    // The description is sound (the front end checked it) and data, when not null, holds its
    // storageSize bytes. False, with nothing kept, when the back end cannot make it.
    virtual bool createTexture(uint16_t idx, const TextureDesc& desc, const void* data) = 0;
    // pitch: bytes between source rows, already resolved (never 0).
    virtual void updateTexture(uint16_t idx, const TexelBox& box, const void* data, uint32_t pitch) = 0;
    virtual void readTexture(uint16_t idx, void* dest) = 0;
    virtual void destroyTexture(uint16_t idx) = 0;

    virtual void createFrameBuffer(uint16_t idx, uint16_t textureIdx) = 0;
    virtual void destroyFrameBuffer(uint16_t idx) = 0;

    virtual void createDynamicVertexBuffer(uint16_t idx, uint32_t bytes) = 0;
    virtual void updateDynamicVertexBuffer(uint16_t idx, uint32_t offset, const void* data, uint32_t bytes) = 0;
    virtual void destroyDynamicVertexBuffer(uint16_t idx) = 0;

    virtual void execute(const FrameData& frame) = 0;

    // Per-view timing (Gfx.h); back ends that cannot time keep none.
    virtual void setViewTiming(bool) {}
    virtual const std::vector<ViewTime>& viewTimes() const {
        static const std::vector<ViewTime> s_none;
        return s_none;
    }
};

std::unique_ptr<BackendImpl> makeGlBackend();
std::unique_ptr<BackendImpl> makeRecordingBackend();

}  // namespace gfx
